#pragma once
// Device-dependent bitmaps made from the module's BITMAP resources.
#include <windows.h>

// Loads a BITMAP resource as a device-dependent bitmap. For 8 bits per pixel or fewer the
// palette built from its colour table is returned through `palette` (else null); run-length
// encoded 8-bit images are decoded here. Null when the resource does not exist. The caller
// owns bitmap and palette.
HBITMAP LoadSkinBitmap(HMODULE module, LPCSTR name, HPALETTE* palette);

// A logical palette from a DIB's colour table (2^bitcount entries); null and count 0 above
// 8 bits per pixel.
HPALETTE CreateDibPalette(const BITMAPINFOHEADER* header, int* count);
