// Every picture the editor and its controls load exists with the size and depth they draw
// it at: the controls never check, they blit and blend exactly these rectangles.
#include <gtest/gtest.h>
#include <windows.h>

#include "ResourceAccess.h"

namespace {

struct ExpectedBitmap {
  int id, width, height, bits;
};

TEST(SkinResourceSize, BitmapsHaveTheirSizesAndDepths) {
  const ExpectedBitmap expectations[] = {
      {103, 428, 451, 24}, {130, 148, 84, 8}, {131, 148, 38, 8}, {139, 12, 9, 24},
      {140, 12, 9, 24},    {141, 12, 9, 24},  {7500, 7, 11, 4},
  };
  for (const ExpectedBitmap& expected : expectations) {
    SCOPED_TRACE(expected.id);
    DibView dib(FindOwnResource(expected.id, RT_BITMAP));
    ASSERT_TRUE(dib.Complete());
    EXPECT_EQ(dib.Header().biWidth, expected.width);
    EXPECT_EQ(dib.Header().biHeight, expected.height);  // positive: bottom-up rows
    EXPECT_EQ(dib.Header().biBitCount, expected.bits);
    EXPECT_EQ(dib.Header().biCompression, static_cast<DWORD>(BI_RGB));

    HBITMAP bitmap = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(expected.id));
    ASSERT_NE(bitmap, nullptr);
    BITMAP info{};
    ASSERT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    EXPECT_EQ(info.bmWidth, expected.width);
    EXPECT_EQ(info.bmHeight, expected.height);
    DeleteObject(bitmap);
  }
}

TEST(SkinResourceSize, IndexedBitmapsCarryAFullColourTable) {
  // The skin loader finds the pixels after 2^bits table entries.
  for (int id : {130, 131, 7500}) {
    SCOPED_TRACE(id);
    DibView dib(FindOwnResource(id, RT_BITMAP));
    ASSERT_TRUE(dib.Complete());
    EXPECT_EQ(dib.Header().biClrUsed, 0u);
  }
}

struct ExpectedImage {
  int id, width, height;
};

TEST(SkinResourceSize, SkinImagesHoldFourBytesPerPixelOfTheirSize) {
  const ExpectedImage expectations[] = {
      {120, 40, 21}, {121, 12, 144}, {122, 15, 21}, {129, 15, 21}, {123, 61, 21}, {124, 61, 21},
      {125, 76, 21}, {126, 76, 21},  {127, 29, 16}, {128, 12, 144}, {132, 24, 21}, {133, 24, 21},
      {134, 36, 21}, {135, 36, 21},  {136, 50, 21}, {137, 50, 21},
  };
  for (const ExpectedImage& expected : expectations) {
    SCOPED_TRACE(expected.id);
    ResourceBytes image = FindOwnResource(expected.id, RT_RCDATA);
    ASSERT_NE(image.data, nullptr);
    EXPECT_EQ(image.size, static_cast<DWORD>(expected.width * expected.height * 4));
  }
}

TEST(SkinResourceSize, CursorsLoadWithTheirHotSpotInside) {
  for (int id : {117, 118, 257, 258}) {
    SCOPED_TRACE(id);
    HCURSOR cursor = LoadCursorA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    ASSERT_NE(cursor, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(cursor, &info));
    EXPECT_FALSE(info.fIcon);
    BITMAP mask{};
    ASSERT_NE(GetObjectA(info.hbmMask, sizeof mask, &mask), 0);
    EXPECT_LT(static_cast<LONG>(info.xHotspot), mask.bmWidth);
    EXPECT_LT(static_cast<LONG>(info.yHotspot), mask.bmWidth);  // the mask is twice as high
    DeleteObject(info.hbmMask);
    if (info.hbmColor) DeleteObject(info.hbmColor);
  }
}

TEST(SkinResourceSize, IconsLoadAtSmallAndLargeSize) {
  for (int id : {231, 235, 236, 506}) {
    for (int size : {16, 32}) {
      SCOPED_TRACE(testing::Message() << id << " at " << size);
      HICON icon = static_cast<HICON>(
          LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
      ASSERT_NE(icon, nullptr);
      ICONINFO info{};
      ASSERT_TRUE(GetIconInfo(icon, &info));
      EXPECT_TRUE(info.fIcon);
      BITMAP colour{};
      ASSERT_NE(info.hbmColor, nullptr);
      ASSERT_NE(GetObjectA(info.hbmColor, sizeof colour, &colour), 0);
      EXPECT_EQ(colour.bmWidth, size);
      EXPECT_EQ(colour.bmHeight, size);
      DeleteObject(info.hbmMask);
      DeleteObject(info.hbmColor);
      DestroyIcon(icon);
    }
  }
}

}  // namespace
