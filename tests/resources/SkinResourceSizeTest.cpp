// Every picture the editor and its controls load exists with the size and depth they draw
// it at: the controls never check, they blit and blend exactly these rectangles. The face's
// size is the page's, which the host's picture test checks.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

// The resource `id` of `type` as this program carries it; empty when it is missing.
std::string ResourceBytes(int id, LPCSTR type) {
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(id), type);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  if (!loaded) return {};
  return std::string(static_cast<const char*>(LockResource(loaded)), SizeofResource(nullptr, found));
}

TEST(SkinResourceSize, PicturesHaveTheSizesAndDepthsTheControlsDrawThemAt) {
  // 32 bits: a blended picture, four bytes a pixel and nothing else. The others are packed
  // bottom-up BITMAPs, uncompressed, whose pixels the skin loader finds after 2^bits table
  // entries (no shorter table), and which hold all their rows.
  const struct {
    int id, width, height, bits;
  } pictures[] = {
      {130, 148, 84, 8}, {131, 148, 38, 8}, {139, 12, 9, 24},  {140, 12, 9, 24},  {141, 12, 9, 24},
      {7500, 7, 11, 4},  {120, 40, 21, 32}, {121, 12, 144, 32}, {122, 15, 21, 32}, {129, 15, 21, 32},
      {123, 61, 21, 32}, {124, 61, 21, 32}, {125, 76, 21, 32}, {126, 76, 21, 32}, {127, 29, 16, 32},
      {128, 12, 144, 32}, {132, 24, 21, 32}, {133, 24, 21, 32}, {134, 36, 21, 32}, {135, 36, 21, 32},
      {136, 50, 21, 32}, {137, 50, 21, 32},
  };
  for (const auto& p : pictures) {
    if (p.bits == 32) {
      EXPECT_EQ(ResourceBytes(p.id, RT_RCDATA).size(), size_t(p.width * p.height * 4)) << p.id;
      continue;
    }
    const std::string bytes = ResourceBytes(p.id, RT_BITMAP);
    BITMAPINFOHEADER h{};
    if (bytes.size() >= sizeof h) memcpy(&h, bytes.data(), sizeof h);
    EXPECT_EQ(std::vector<int>({int(h.biWidth), int(h.biHeight), h.biBitCount, int(h.biCompression), int(h.biClrUsed)}),
              std::vector<int>({p.width, p.height, p.bits, 0, 0}))
        << p.id << ": width, height, bits, compression, table";
    const size_t table = p.bits > 8 ? 0 : (size_t(1) << p.bits) * sizeof(RGBQUAD);
    EXPECT_GE(bytes.size(), sizeof h + table + (p.width * p.bits + 31) / 32 * 4 * p.height) << p.id;
  }
}

}  // namespace
