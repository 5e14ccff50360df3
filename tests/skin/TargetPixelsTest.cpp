// A blend must draw the same pixels whatever the target DC holds: a DIB section it changes in
// place (top-down or bottom-up) or, when clipping, a mapped origin or a device-dependent
// bitmap stand in the way, a copy it reads and writes back through GDI.
#include <gtest/gtest.h>

#include "SkinBlend.h"
#include "Controls.h"
#include "TargetPixels.h"

namespace {

constexpr int kWidth = 9, kHeight = 7;

enum class Surface { TopDownDib, BottomUpDib, DeviceBitmap };

// A memory DC on `surface`, every pixel a different colour.
struct Target {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;

    explicit Target(Surface surface) {
        dc = CreateCompatibleDC(nullptr);
        if (surface == Surface::DeviceBitmap) {
            HDC screen = GetDC(nullptr);
            bitmap = CreateCompatibleBitmap(screen, kWidth, kHeight);
            ReleaseDC(nullptr, screen);
        } else {
            BITMAPINFO info = TargetPixels::Header(kWidth, kHeight);
            if (surface == Surface::BottomUpDib) info.bmiHeader.biHeight = kHeight;
            void* bits = nullptr;
            bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        }
        old = SelectObject(dc, bitmap);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) SetPixel(dc, x, y, Original(x, y));
    }
    ~Target() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    static COLORREF Original(int x, int y) { return RGB(20 * x, 30 * y, 200 - 10 * x - 5 * y); }
};

struct Case {
    const char* name;
    Surface surface;
    RECT clip;     // device pixels the DC may draw on
    POINT origin;  // viewport origin: where logical (0, 0) lands
};

TEST(TargetPixels, BlendsTheSamePixelsOnEverySurface) {
    // A 5 x 4 image of varied colours and transparencies, blended at logical (2, 1).
    std::vector<BYTE> image;
    for (int i = 0; i < 20; ++i) image.insert(image.end(), {BYTE(12 * i), BYTE(250 - 9 * i), BYTE(7 * i), BYTE(13 * i)});
    const RECT whole = {0, 0, kWidth, kHeight};
    const Case cases[] = {
        {"top-down DIB section", Surface::TopDownDib, whole, {0, 0}},
        {"bottom-up DIB section", Surface::BottomUpDib, whole, {0, 0}},
        {"device-dependent bitmap", Surface::DeviceBitmap, whole, {0, 0}},
        {"DIB section clipped inside the image", Surface::TopDownDib, {3, 0, 6, 4}, {0, 0}},
        {"bottom-up DIB section clipped", Surface::BottomUpDib, {0, 2, kWidth, kHeight}, {0, 0}},
        {"DIB section with a moved origin", Surface::TopDownDib, whole, {1, 2}},
    };
    for (const Case& c : cases) {
        Target target(c.surface);
        const int saved = SaveDC(target.dc);
        IntersectClipRect(target.dc, c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        SetViewportOrgEx(target.dc, c.origin.x, c.origin.y, nullptr);
        BlendSkinImage(target.dc, 2, 1, 5, 4, image.data(), 200, kDefaultTint, kBlendLightNarrow);
        RestoreDC(target.dc, saved);

        // The same blend of each pixel alone, where it is drawn.
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int ix = x - c.origin.x - 2, iy = y - c.origin.y - 1;
                const bool drawn = ix >= 0 && ix < 5 && iy >= 0 && iy < 4 && x >= c.clip.left && x < c.clip.right &&
                                   y >= c.clip.top && y < c.clip.bottom;
                COLORREF expected = Target::Original(x, y);
                if (drawn) {
                    // The tint's lit area depends on the place in the image: blend it whole on a
                    // canvas of the original colour and take that pixel.
                    Canvas alone(5, 4, expected);
                    BlendSkinImage(alone.Dc(), 0, 0, 5, 4, image.data(), 200, kDefaultTint, kBlendLightNarrow);
                    expected = alone.At(ix, iy);
                }
                ASSERT_EQ(GetPixel(target.dc, x, y), expected) << c.name << " at " << x << "," << y;
            }
    }
}

}  // namespace
