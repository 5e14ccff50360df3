// A blend must draw the same pixels whatever the target DC holds: a DIB section it changes in
// place (top-down or bottom-up) or, when clipping, a mapped origin or a device-dependent
// bitmap stand in the way, a copy it reads and writes back through GDI.
#include <gtest/gtest.h>

#include "SkinBlend.h"
#include "Controls.h"

namespace {

constexpr int kWidth = 9, kHeight = 7;

// Every pixel of the target a different colour.
COLORREF Original(int x, int y) { return RGB(20 * x, 30 * y, 200 - 10 * x - 5 * y); }

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
        Canvas target(kWidth, kHeight, 0, c.surface);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) SetPixel(target.Dc(), x, y, Original(x, y));
        const int saved = SaveDC(target.Dc());
        IntersectClipRect(target.Dc(), c.clip.left, c.clip.top, c.clip.right, c.clip.bottom);
        SetViewportOrgEx(target.Dc(), c.origin.x, c.origin.y, nullptr);
        BlendSkinImage(target.Dc(), 2, 1, 5, 4, image.data(), 200, kDefaultTint, kBlendLightNarrow);
        RestoreDC(target.Dc(), saved);

        // The same blend of each pixel alone, where it is drawn.
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const int ix = x - c.origin.x - 2, iy = y - c.origin.y - 1;
                const bool drawn = ix >= 0 && ix < 5 && iy >= 0 && iy < 4 && x >= c.clip.left && x < c.clip.right &&
                                   y >= c.clip.top && y < c.clip.bottom;
                COLORREF expected = Original(x, y);
                if (drawn) {
                    // The tint's lit area depends on the place in the image: blend it whole on a
                    // canvas of the original colour and take that pixel.
                    Canvas alone(5, 4, expected);
                    BlendSkinImage(alone.Dc(), 0, 0, 5, 4, image.data(), 200, kDefaultTint, kBlendLightNarrow);
                    expected = alone.At(ix, iy);
                }
                ASSERT_EQ(target.At(x, y), expected) << c.name << " at " << x << "," << y;
            }
    }
}

}  // namespace
