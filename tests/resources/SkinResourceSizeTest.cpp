// Every picture the editor and its controls load exists with the size and depth they draw
// it at: the controls never check, they blit and blend exactly these rectangles.
#include <gtest/gtest.h>
#include <windows.h>

namespace {

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// The resource `id` of `type` as this program carries it; empty when it is missing.
ResourceBytes FindResourceBytes(int id, LPCSTR type) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  if (!loaded) return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(nullptr, found)};
}

// The header of a packed BITMAP resource whose pixel rows fit into it, or null.
const BITMAPINFOHEADER* CompleteDib(ResourceBytes bytes) {
  if (!bytes.data || bytes.size < sizeof(BITMAPINFOHEADER)) return nullptr;
  const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data);
  if (h->biSize < sizeof(BITMAPINFOHEADER) || h->biWidth <= 0 || h->biHeight <= 0) return nullptr;
  const DWORD table = h->biBitCount > 8 ? 0 : (h->biClrUsed ? h->biClrUsed : 1u << h->biBitCount);
  const DWORD stride = ((h->biWidth * h->biBitCount + 31) / 32) * 4;
  return bytes.size >= h->biSize + table * sizeof(RGBQUAD) + stride * h->biHeight ? h : nullptr;
}

TEST(SkinResourceSize, BitmapsHaveTheirSizesAndDepthsAndIndexedOnesAFullTable) {
  const struct {
    int id, width, height, bits;
  } expectations[] = {
      {103, 428, 451, 24}, {130, 148, 84, 8}, {131, 148, 38, 8}, {139, 12, 9, 24},
      {140, 12, 9, 24},    {141, 12, 9, 24},  {7500, 7, 11, 4},
  };
  for (const auto& expected : expectations) {
    SCOPED_TRACE(expected.id);
    const BITMAPINFOHEADER* dib = CompleteDib(FindResourceBytes(expected.id, RT_BITMAP));
    ASSERT_NE(dib, nullptr);
    EXPECT_EQ(dib->biWidth, expected.width);
    EXPECT_EQ(dib->biHeight, expected.height);  // positive: bottom-up rows
    EXPECT_EQ(dib->biBitCount, expected.bits);
    EXPECT_EQ(dib->biCompression, static_cast<DWORD>(BI_RGB));
    EXPECT_EQ(dib->biClrUsed, 0u) << "the skin loader finds the pixels after 2^bits table entries";
  }
}

TEST(SkinResourceSize, SkinImagesHoldFourBytesPerPixelOfTheirSize) {
  const struct {
    int id, width, height;
  } expectations[] = {
      {120, 40, 21}, {121, 12, 144}, {122, 15, 21}, {129, 15, 21}, {123, 61, 21}, {124, 61, 21},
      {125, 76, 21}, {126, 76, 21},  {127, 29, 16}, {128, 12, 144}, {132, 24, 21}, {133, 24, 21},
      {134, 36, 21}, {135, 36, 21},  {136, 50, 21}, {137, 50, 21},
  };
  for (const auto& expected : expectations)
    EXPECT_EQ(FindResourceBytes(expected.id, RT_RCDATA).size, static_cast<DWORD>(expected.width * expected.height * 4))
        << expected.id;
}

}  // namespace
