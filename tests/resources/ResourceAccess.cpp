#include "ResourceAccess.h"

ResourceBytes FindOwnResource(int id, LPCSTR type) {
  return FindModuleResource(GetModuleHandleA(nullptr), id, type);
}

ResourceBytes FindModuleResource(HMODULE module, int id, LPCSTR type) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  if (!loaded) return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

const BITMAPINFOHEADER& DibView::Header() const {
  return *reinterpret_cast<const BITMAPINFOHEADER*>(bytes_.data);
}

int DibView::ColourTableEntries() const {
  const int bits = Header().biBitCount;
  if (bits > 8) return 0;
  return Header().biClrUsed ? static_cast<int>(Header().biClrUsed) : 1 << bits;
}

RGBQUAD DibView::TableEntry(int index) const {
  return reinterpret_cast<const RGBQUAD*>(bytes_.data + Header().biSize)[index];
}

bool DibView::Complete() const {
  if (!bytes_.data || bytes_.size < sizeof(BITMAPINFOHEADER)) return false;
  const BITMAPINFOHEADER& h = Header();
  if (h.biSize < sizeof(BITMAPINFOHEADER) || h.biWidth <= 0 || h.biHeight <= 0) return false;
  const DWORD stride = ((h.biWidth * h.biBitCount + 31) / 32) * 4;
  const DWORD needed = h.biSize + ColourTableEntries() * sizeof(RGBQUAD) + stride * h.biHeight;
  return bytes_.size >= needed;
}

const BYTE* DibView::Row(int y) const {
  const BITMAPINFOHEADER& h = Header();
  const DWORD stride = ((h.biWidth * h.biBitCount + 31) / 32) * 4;
  const BYTE* pixels = bytes_.data + h.biSize + ColourTableEntries() * sizeof(RGBQUAD);
  return pixels + stride * (h.biHeight - 1 - y);
}

int DibView::IndexAt(int x, int y) const {
  const int bits = Header().biBitCount;
  const int perByte = 8 / bits;
  const BYTE packed = Row(y)[x / perByte];
  const int shift = 8 - bits * (x % perByte + 1);
  return (packed >> shift) & ((1 << bits) - 1);
}

Colour DibView::ColourAt(int x, int y) const {
  if (Header().biBitCount == 24) {
    const BYTE* p = Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
  }
  const RGBQUAD entry = TableEntry(IndexAt(x, y));
  return {entry.rgbRed, entry.rgbGreen, entry.rgbBlue};
}

Rgbt RgbtAt(ResourceBytes image, int width, int x, int y) {
  const BYTE* p = image.data + 4 * (y * width + x);
  return {p[0], p[1], p[2], p[3]};
}
