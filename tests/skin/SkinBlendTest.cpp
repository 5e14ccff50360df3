// Blend arithmetic and empty rectangles, on pixels of 32-bit canvases.
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
        {"opacity 160, T 255", kFill, 0, 0, 0, 255, 160, 0, kFill},
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

}  // namespace
