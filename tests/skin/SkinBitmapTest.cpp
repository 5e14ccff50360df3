// Loading a run-length skin bitmap with its palette from the test program's own resources, and
// the run-length decoder on bad data.
#include <gtest/gtest.h>

#include <vector>

#include "Rle8Decoder.h"
#include "SkinBitmap.h"
#include "SkinImage.h"
#include "Controls.h"

namespace {

constexpr int kRleBitmap = 9001;    // 5 x 3, 8 bits, RLE8
constexpr int kMissing = 9999;

TEST(Rle8Decoder, DecodesRunsAndStaysInTheBufferOnBadData) {
    struct Case {
        const char* name;
        std::vector<uint8_t> data;
        int width, height;
        std::vector<uint8_t> expected;
    };
    const Case cases[] = {
        // Row 0: run 2 x 7, absolute 1 2 3 (padded); row 1: delta right 3; run 1 x 9; end.
        {"runs, absolute runs, lines and deltas", {2, 7, 0, 3, 1, 2, 3, 0, 0, 0, 0, 2, 3, 0, 1, 9, 0, 1}, 5, 2,
         {7, 7, 1, 2, 3, 0, 0, 0, /**/ 0, 0, 0, 9, 0, 0, 0, 0}},
        // Delta (1, 2) from the start, run 2 x 5, end of bitmap, then a run that must not land.
        {"delta down and end of bitmap", {0, 2, 1, 2, 2, 5, 0, 1, 4, 8}, 4, 3, {0, 0, 0, 0, 0, 0, 0, 0, 0, 5, 5, 0}},
        // A run longer than the row, a delta below the last row, a run there, then an absolute
        // run whose data is cut short.
        {"out of the image and truncated", {9, 6, 0, 2, 0, 5, 3, 4, 0, 5, 1, 2}, 2, 2, {6, 6, 0, 0, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> pixels(static_cast<size_t>(Rle8RowStride(c.width)) * c.height, 0);
        DecodeRle8(c.data.data(), c.data.size(), c.width, c.height, pixels.data());
        EXPECT_EQ(pixels, c.expected) << c.name;
    }
}

TEST(SkinBitmap, DecodesRunLengthBitmapWithItsPaletteAndMissingOnesGiveNothing) {
    HPALETTE palette = reinterpret_cast<HPALETTE>(1);
    HBITMAP bitmap = LoadSkinBitmap(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kRleBitmap), &palette);
    ASSERT_NE(bitmap, nullptr);
    ASSERT_NE(palette, nullptr);
    const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0), blue = RGB(0, 0, 255),
                   white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    const COLORREF expected[3][5] = {{blue, blue, blue, blue, blue},
                                     {black, black, white, black, black},
                                     {red, red, green, blue, white}};
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(BitmapPixel(bitmap, x, y), expected[y][x]) << x << "," << y;
    DeleteObject(bitmap);
    DeleteObject(palette);
    // A missing resource gives nothing.
    EXPECT_EQ(LoadSkinBitmap(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(kMissing), &palette), nullptr);
    EXPECT_EQ(palette, nullptr);
    EXPECT_EQ(LoadSkinImage(GetModuleHandleA(nullptr), kMissing), nullptr);
}

}  // namespace
