#include "SkinBitmap.h"

#include <cstring>
#include <vector>

#include "Rle8Decoder.h"

HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header, int* count) {
    *count = 0;
    if (header->biBitCount > 8) return nullptr;
    const int entries = 1 << header->biBitCount;
    const auto* table = reinterpret_cast<const RGBQUAD*>(
        reinterpret_cast<const BYTE*>(header) + header->biSize);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE,
                                sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * static_cast<size_t>(entries));
    if (!block) return nullptr;
    auto* palette = static_cast<LOGPALETTE*>(GlobalLock(block));
    palette->palVersion = 0x300;
    palette->palNumEntries = static_cast<WORD>(entries);
    for (int n = 0; n < entries; ++n) {
        palette->palPalEntry[n].peRed = table[n].rgbRed;
        palette->palPalEntry[n].peGreen = table[n].rgbGreen;
        palette->palPalEntry[n].peBlue = table[n].rgbBlue;
        palette->palPalEntry[n].peFlags = 0;
    }
    HPALETTE result = CreatePalette(palette);
    GlobalUnlock(block);
    GlobalFree(block);
    if (result) *count = entries;
    return result;
}

HBITMAP LoadSkinBitmap(HMODULE module, LPCSTR name, HPALETTE* palette) {
    *palette = nullptr;
    HRSRC info = FindResourceA(module, name, MAKEINTRESOURCEA(2) /* RT_BITMAP */);
    if (!info) return nullptr;
    HGLOBAL data = LoadResource(module, info);
    const auto* header = data ? static_cast<const BITMAPINFOHEADER*>(LockResource(data)) : nullptr;
    if (!header) return nullptr;
    const DWORD resourceSize = SizeofResource(module, info);

    int entries = 0;
    *palette = CreateDibPalette(header, &entries);
    const size_t tableSize = header->biBitCount <= 8 ? (size_t{1} << header->biBitCount) * sizeof(RGBQUAD) : 0;
    const size_t bitsOffset = header->biSize + tableSize;
    const BYTE* bits = reinterpret_cast<const BYTE*>(header) + bitsOffset;

    HDC screen = GetDC(nullptr);
    HPALETTE oldPalette = nullptr;
    if (*palette) {
        oldPalette = SelectPalette(screen, *palette, FALSE);
        RealizePalette(screen);
    }
    HBITMAP bitmap;
    if (header->biCompression == BI_RLE8) {
        // Decode ourselves and hand over plain rows, with a header that says so.
        const int width = header->biWidth;
        const int height = header->biHeight < 0 ? -header->biHeight : header->biHeight;
        std::vector<uint8_t> pixels(static_cast<size_t>(Rle8RowStride(width)) * height, 0);
        if (resourceSize > bitsOffset)
            DecodeRle8(bits, resourceSize - bitsOffset, width, height, pixels.data());
        std::vector<BYTE> plain(bitsOffset);
        std::memcpy(plain.data(), header, bitsOffset);
        auto* plainHeader = reinterpret_cast<BITMAPINFOHEADER*>(plain.data());
        plainHeader->biCompression = BI_RGB;
        plainHeader->biSizeImage = static_cast<DWORD>(pixels.size());
        bitmap = CreateDIBitmap(screen, plainHeader, CBM_INIT, pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(plain.data()), DIB_RGB_COLORS);
    } else {
        bitmap = CreateDIBitmap(screen, header, CBM_INIT, bits,
                                reinterpret_cast<const BITMAPINFO*>(header), DIB_RGB_COLORS);
    }
    if (oldPalette) SelectPalette(screen, oldPalette, FALSE);
    ReleaseDC(nullptr, screen);
    return bitmap;
}
