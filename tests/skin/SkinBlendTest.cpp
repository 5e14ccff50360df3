// Blend arithmetic, lit areas, regions, the multiply overlay, the key-colour blit and the focus
// frames, on pixels of 32-bit canvases.
#include <gtest/gtest.h>

#include "FocusFrame.h"
#include "MultiplyOverlay.h"
#include "SkinBlend.h"
#include "Controls.h"
#include "TransparentBlit.h"

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

// Which pixels of row 4 and column 4 of an 8 x 8 image a mode lights.
std::string LitPattern(int mode, Tint tint, bool alongRow) {
    Canvas canvas(8, 8, 0);
    const auto image = SolidImage(8, 8, 100, 100, 100, 0);
    BlendSkinImage(canvas.Dc(), 0, 0, 8, 8, image.data(), 255, tint, mode);
    std::string pattern;
    for (int i = 0; i < 8; ++i) {
        const COLORREF c = alongRow ? canvas.At(i, 4) : canvas.At(4, i);
        pattern += c == RGB(108, 105, 51) ? 'L' : c == RGB(100, 100, 100) ? '.' : '?';
    }
    return pattern;
}

TEST(SkinBlend, ModesChooseTheLitArea) {
    EXPECT_EQ(LitPattern(kBlendLightAll, kDefaultTint, true), "LLLLLLLL");
    // Narrow mode: left/top from 1, right/bottom up to width - 3.
    EXPECT_EQ(LitPattern(kBlendLightNarrow, kDefaultTint, true), ".LLLLL..");
    EXPECT_EQ(LitPattern(kBlendLightNarrow, kDefaultTint, false), ".LLLLL..");
    // Any other mode: from 2 up to width - 2.
    EXPECT_EQ(LitPattern(1, kDefaultTint, true), "..LLLLL.");
    EXPECT_EQ(LitPattern(7, kDefaultTint, false), "..LLLLL.");
    // No tint: nothing lit whatever the mode.
    EXPECT_EQ(LitPattern(1, 0, true), "........");
}

TEST(SkinBlend, DrawsOnlyItsRectangle) {
    Canvas canvas(6, 5, kFill);
    const auto image = SolidImage(3, 2, 1, 2, 3, 0);
    BlendSkinImage(canvas.Dc(), 2, 1, 3, 2, image.data(), 255, 0, kBlendLightAll);
    ExpectPixels(canvas, {{2, 1, RGB(1, 2, 3)}, {4, 2, RGB(1, 2, 3)}, {1, 1, kFill}, {5, 2, kFill}, {2, 3, kFill},
                          {2, 0, kFill}}, "3 x 2 at (2, 1)");
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

TEST(SkinBlend, RegionReadsABandOfATallImage) {
    // 2 x 4 image: row n has red 10 x (n + 1); column 1 has green 1.
    std::vector<BYTE> image;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 2; ++col) image.insert(image.end(), {BYTE(10 * (row + 1)), BYTE(col), 0, 0});
    Canvas canvas(2, 4, kFill);
    BlendSkinImageRegion(canvas.Dc(), 0, 2, 2, 2, 0, 2, image.data(), 255);
    ExpectPixels(canvas, {{0, 0, kFill}, {0, 1, kFill}, {0, 2, RGB(30, 0, 0)}, {1, 3, RGB(40, 1, 0)}}, "rows 2 and 3");
    // A column offset reads further along the same rows; opacity applies as in a full blend.
    Canvas shifted(1, 1, RGB(0, 0, 0));
    BlendSkinImageRegion(shifted.Dc(), 0, 0, 1, 1, 1, 1, image.data(), 255);
    // With rows of the drawn width (1), pixel (1, 1) is pixel 2 of the block: row 1, column 0.
    EXPECT_EQ(shifted.At(0, 0), RGB(20, 0, 0));
    Canvas faded(1, 1, RGB(0, 0, 200));
    BlendSkinImageRegion(faded.Dc(), 0, 0, 1, 1, 0, 0, image.data(), 160);
    EXPECT_EQ(faded.At(0, 0), RGB(3, 0, 125));  // 10 + (-1610 >> 8) = 3
}

// A 32-bit bitmap not selected into any DC, every pixel (r, g, b).
HBITMAP SolidBitmap(int width, int height, COLORREF colour) {
    std::vector<uint32_t> bits(static_cast<size_t>(width) * height,
                               (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour));
    return CreateBitmap(width, height, 1, 32, bits.data());
}

TEST(MultiplyOverlay, ScalesEveryChannelByTheBlueByte) {
    Canvas canvas(3, 2, RGB(200, 100, 50));
    HBITMAP half = SolidBitmap(4, 4, RGB(0, 0, 128));  // red and green must not matter
    MultiplyOverlay(canvas.Dc(), 1, 0, 2, 1, half);
    ExpectPixels(canvas, {{1, 0, RGB(100, 50, 25)}, {2, 0, RGB(100, 50, 25)}, {0, 0, RGB(200, 100, 50)},
                          {1, 1, RGB(200, 100, 50)}}, "half");
    DeleteObject(half);

    HBITMAP white = SolidBitmap(1, 1, RGB(255, 255, 255));
    MultiplyOverlay(canvas.Dc(), 0, 1, 1, 1, white);
    EXPECT_EQ(canvas.At(0, 1), RGB(199, 99, 49));  // (t x 255 + 1) >> 8: nearly unchanged
    DeleteObject(white);

    Canvas bright(1, 1, RGB(255, 255, 255));
    HBITMAP faint = SolidBitmap(1, 1, RGB(0, 0, 1));
    MultiplyOverlay(bright.Dc(), 0, 0, 1, 1, faint);
    EXPECT_EQ(bright.At(0, 0), RGB(1, 1, 1));  // (255 x 1 + 1) >> 8 rounds up here
    DeleteObject(faint);

    HBITMAP black = SolidBitmap(1, 1, RGB(255, 255, 0));
    MultiplyOverlay(canvas.Dc(), 2, 1, 1, 1, black);
    EXPECT_EQ(canvas.At(2, 1), RGB(0, 0, 0));
    DeleteObject(black);
}

TEST(TransparentBlit, LeavesKeyPixelsUnpainted) {
    constexpr COLORREF kKey = RGB(255, 0, 255);
    // 3 x 2 source: key in the middle column, colours elsewhere.
    const uint32_t k = 0xFF00FF, a = 0x102030, b = 0x405060;
    const uint32_t bits[6] = {a, k, b, b, k, a};
    HBITMAP source = CreateBitmap(3, 2, 1, 32, bits);
    Canvas canvas(5, 3, kFill);
    TransparentBlit(canvas.Dc(), 1, 1, source, 0, 0, 3, 2, kKey);
    ExpectPixels(canvas, {{1, 1, 0x302010}, {2, 1, kFill}, {3, 1, 0x605040}, {2, 2, kFill}, {3, 2, 0x302010},
                          {0, 1, kFill}, {1, 0, kFill}}, "whole source");
    // A source offset picks the rectangle inside the bitmap.
    Canvas offset(2, 1, kFill);
    TransparentBlit(offset.Dc(), 0, 0, source, 1, 1, 2, 1, kKey);
    ExpectPixels(offset, {{0, 0, kFill}, {1, 0, 0x302010}}, "source offset");
    DeleteObject(source);
    // No bitmap: nothing drawn.
    TransparentBlit(offset.Dc(), 0, 0, nullptr, 0, 0, 2, 1, kKey);
    EXPECT_EQ(offset.At(0, 0), kFill);
}

TEST(FocusFrame, DrawsFourOnePixelLines) {
    const RECT r = {2, 2, 10, 8};
    Canvas grey(12, 10, kFill);
    DrawFocusFrame(grey.Dc(), r);
    // Top, left, and bottom and right one inside.
    ExpectPixels(grey, {{5, 2, 0x909090}, {2, 5, 0x909090}, {5, 7, 0x909090}, {9, 5, 0x909090}, {5, 5, kFill},
                        {10, 5, kFill}, {5, 8, kFill}, {3, 3, kFill}}, "grey");

    Canvas red(12, 10, kFill);
    DrawEditFocusFrame(red.Dc(), r);
    // The right line is drawn last.
    ExpectPixels(red, {{5, 2, RGB(225, 0, 0)}, {2, 5, RGB(225, 0, 0)}, {5, 7, RGB(200, 0, 0)}, {9, 5, RGB(200, 0, 0)},
                       {9, 2, RGB(200, 0, 0)}, {5, 5, kFill}}, "red");
}

}  // namespace
