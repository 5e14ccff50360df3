#include "ResourceAccess.h"

ResourceBytes FindResourceBytes(int id, LPCSTR type, HMODULE module) {
  if (!module) module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  if (!loaded) return {};
  return {static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found)};
}

const BITMAPINFOHEADER* CompleteDib(ResourceBytes bytes) {
  if (!bytes.data || bytes.size < sizeof(BITMAPINFOHEADER)) return nullptr;
  const auto* h = reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data);
  if (h->biSize < sizeof(BITMAPINFOHEADER) || h->biWidth <= 0 || h->biHeight <= 0) return nullptr;
  const DWORD table = h->biBitCount > 8 ? 0 : (h->biClrUsed ? h->biClrUsed : 1u << h->biBitCount);
  const DWORD stride = ((h->biWidth * h->biBitCount + 31) / 32) * 4;
  return bytes.size >= h->biSize + table * sizeof(RGBQUAD) + stride * h->biHeight ? h : nullptr;
}
