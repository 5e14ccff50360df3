// Every picture the editor and its controls load exists with the size and depth they draw
// it at: the controls never check, they blit and blend exactly these rectangles.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The resource `id` of `type` as this program carries it; empty when it is missing.
std::string ResourceBytes(int id, LPCSTR type) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  if (!loaded) return {};
  return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}

TEST(SkinResourceSize, PicturesHaveTheSizesAndDepthsTheControlsDrawThemAt) {
  // Packed bottom-up BITMAPs, uncompressed, whose pixels the skin loader finds after 2^bits
  // table entries (no shorter table), and which hold all their rows.
  const struct {
    int id, width, height, bits;
  } bitmaps[] = {
      {103, 428, 451, 24}, {130, 148, 84, 8}, {131, 148, 38, 8}, {139, 12, 9, 24},
      {140, 12, 9, 24},    {141, 12, 9, 24},  {7500, 7, 11, 4},
  };
  for (const auto& b : bitmaps) {
    const std::string bytes = ResourceBytes(b.id, RT_BITMAP);
    BITMAPINFOHEADER h{};
    if (bytes.size() >= sizeof h) memcpy(&h, bytes.data(), sizeof h);
    EXPECT_EQ(std::to_string(h.biWidth) + "x" + std::to_string(h.biHeight) + "x" + std::to_string(h.biBitCount) +
                  " compression " + std::to_string(h.biCompression) + " table " + std::to_string(h.biClrUsed),
              std::to_string(b.width) + "x" + std::to_string(b.height) + "x" + std::to_string(b.bits) +
                  " compression 0 table 0")
        << b.id;
    const size_t table = b.bits > 8 ? 0 : (size_t(1) << b.bits) * sizeof(RGBQUAD);
    EXPECT_GE(bytes.size(), sizeof h + table + (b.width * b.bits + 31) / 32 * 4 * b.height) << b.id;
  }
  // The blended pictures: four bytes a pixel, nothing else.
  const struct {
    int id, width, height;
  } images[] = {
      {120, 40, 21}, {121, 12, 144}, {122, 15, 21}, {129, 15, 21}, {123, 61, 21}, {124, 61, 21},
      {125, 76, 21}, {126, 76, 21},  {127, 29, 16}, {128, 12, 144}, {132, 24, 21}, {133, 24, 21},
      {134, 36, 21}, {135, 36, 21},  {136, 50, 21}, {137, 50, 21},
  };
  for (const auto& image : images)
    EXPECT_EQ(ResourceBytes(image.id, RT_RCDATA).size(), size_t(image.width * image.height * 4)) << image.id;
}

}  // namespace
