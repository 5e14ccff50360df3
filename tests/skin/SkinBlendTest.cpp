// Blend arithmetic, empty rectangles and the surfaces a blend meets, on pixels of canvases.
#include <gtest/gtest.h>

#include "SkinBlend.h"
#include "Controls.h"

namespace {

constexpr COLORREF kFill = RGB(200, 100, 50);

TEST(SkinBlend, PixelArithmetic) {
    struct Case {
        const char* name;
        COLORREF target;
        BYTE r, g, b, t;
        int opacity;
        Tint tint;
        COLORREF expected;
    };
    const Tint strong = (100u << 24) | (50u << 16) | (100u << 8) | 250u;
    const Case cases[] = {
        {"T 0 is the image exactly", kFill, 10, 20, 30, 0, 255, 0, RGB(10, 20, 30)},
        {"T 255 is the target exactly", kFill, 10, 20, 30, 255, 255, 0, kFill},
        // T 128 is weight 129; a negative difference shifts toward minus infinity (-24510 >> 8).
        {"T 128", RGB(10, 200, 30), 200, 10, 30, 128, 255, 0, RGB(104, 105, 30)},
        // Opacity 160, T 0: weight 161, the image contributes 95/256.
        {"opacity 160", RGB(10, 200, 0), 200, 10, 0, 0, 160, 0, RGB(80, 129, 0)},
        // Opacity 192, T 128: 128 x 63 / 255 + 192 = 223, weight 224.
        {"opacity 192, T 128", RGB(200, 0, 0), 10, 0, 0, 128, 192, 0, RGB(176, 0, 0)},
        {"default tint", 0, 100, 100, 100, 0, 255, kDefaultTint, RGB(108, 105, 51)},
        // Red x 250/100 saturates at 255 instead of wrapping; green x 1; blue x 1/2.
        {"strong tint saturates", 0, 200, 80, 90, 0, 255, strong, RGB(255, 80, 45)},
        {"the lit colour blends with the target", 0, 100, 100, 100, 255, 255, kDefaultTint, 0},
    };
    for (const Case& c : cases) {
        Canvas canvas(1, 1, c.target);
        const auto image = SolidImage(1, 1, c.r, c.g, c.b, c.t);
        BlendSkinImage(canvas.Dc(), 0, 0, 1, 1, image.data(), c.opacity, c.tint, kBlendLightAll);
        EXPECT_EQ(canvas.At(0, 0), c.expected) << c.name;
    }
}

TEST(SkinBlend, EmptyRectangleDrawsAndReadsNothing) {
    // An image in memory that faults on any read: a blend that touched it would crash.
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    void* page = VirtualAlloc(nullptr, system.dwPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_NOACCESS);
    ASSERT_NE(page, nullptr);
    Canvas canvas(4, 4, kFill);
    const auto* image = static_cast<SkinImage>(page);
    BlendSkinImage(canvas.Dc(), 0, 0, 0, 4, image, 255, kDefaultTint, 0);
    BlendSkinImage(canvas.Dc(), 0, 0, 4, 0, image, 255, 0, 0);
    BlendSkinImage(canvas.Dc(), 0, 0, -3, 2, image, 160, 0, 0);
    BlendSkinImageRegion(canvas.Dc(), 0, 0, 0, 0, 1, 1, image, 255);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(canvas.At(i, i), kFill);
    VirtualFree(page, 0, MEM_RELEASE);
}

// Every pixel of the target a different colour.
COLORREF Original(int x, int y) { return RGB(20 * x, 30 * y, 200 - 10 * x - 5 * y); }

// A blend must draw the same pixels whatever the target DC holds: a DIB section it changes in
// place (top-down or bottom-up) or, when clipping, a mapped origin or a device-dependent
// bitmap stand in the way, a copy it reads and writes back through GDI.
TEST(TargetPixels, BlendsTheSamePixelsOnEverySurface) {
    constexpr int kWidth = 9, kHeight = 7;
    struct Case {
        const char* name;
        Surface surface;
        RECT clip;     // device pixels the DC may draw on
        POINT origin;  // viewport origin: where logical (0, 0) lands
    };
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
