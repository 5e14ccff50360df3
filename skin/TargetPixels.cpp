#include "TargetPixels.h"

#include <cstring>

BITMAPINFO TargetPixels::Header(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 4);
    info.bmiHeader.biXPelsPerMeter = 1;
    info.bmiHeader.biYPelsPerMeter = 1;
    return info;
}

TargetPixels::TargetPixels(HDC dc, int x, int y, int width, int height)
    : dc_(dc), x_(x), y_(y), width_(width), height_(height) {
    if (OpenInPlace()) return;
    copy_.resize(static_cast<size_t>(width) * height * 4);
    first_ = copy_.data();
    stride_ = static_cast<ptrdiff_t>(width) * 4;
    HDC copyDc = CreateCompatibleDC(dc);
    HBITMAP copy = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, width, height, dc, x, y, SRCCOPY);
    SelectObject(copyDc, old);
    BITMAPINFO info = Header(width, height);
    GetDIBits(copyDc, copy, 0, static_cast<UINT>(height), copy_.data(), &info, DIB_RGB_COLORS);
    DeleteObject(copy);
    DeleteDC(copyDc);
}

// Points at the DC's DIB section when writing there directly draws what drawing through the
// DC would: 32-bit pixels, plain device coordinates, and a clip rectangle (the bitmap's
// bounds without a clip region) around the whole rectangle.
bool TargetPixels::OpenInPlace() {
    DIBSECTION section;
    HGDIOBJ bitmap = GetCurrentObject(dc_, OBJ_BITMAP);
    if (!bitmap || GetObjectA(bitmap, sizeof section, &section) != sizeof section) return false;
    if (!section.dsBm.bmBits || section.dsBm.bmBitsPixel != 32 || section.dsBmih.biCompression != BI_RGB)
        return false;
    POINT viewport, windowOrigin;
    if (GetMapMode(dc_) != MM_TEXT || GetGraphicsMode(dc_) != GM_COMPATIBLE ||
        !GetViewportOrgEx(dc_, &viewport) || !GetWindowOrgEx(dc_, &windowOrigin) || viewport.x || viewport.y ||
        windowOrigin.x || windowOrigin.y)
        return false;
    RECT clip;
    if (GetClipBox(dc_, &clip) != SIMPLEREGION || x_ < clip.left || y_ < clip.top || x_ + width_ > clip.right ||
        y_ + height_ > clip.bottom)
        return false;
    GdiFlush();  // drawing through the DC may still be queued
    // GetObject gives a section's height without its sign, so whether the rows run top-down
    // or bottom-up is found out by drawing the rectangle's first pixel through the DC.
    auto* bits = static_cast<uint8_t*>(section.dsBm.bmBits);
    const ptrdiff_t rowBytes = section.dsBm.bmWidthBytes;
    uint8_t* topDown = bits + y_ * rowBytes + static_cast<ptrdiff_t>(x_) * 4;
    uint8_t* bottomUp = bits + (section.dsBm.bmHeight - 1 - y_) * rowBytes + static_cast<ptrdiff_t>(x_) * 4;
    bool rowsTopDown = true;
    if (topDown != bottomUp) {
        uint8_t savedTop[4], savedBottom[4];
        std::memcpy(savedTop, topDown, 4);
        std::memcpy(savedBottom, bottomUp, 4);
        SetPixelV(dc_, x_, y_, RGB(savedTop[2] ^ 0xFF, savedTop[1], savedTop[0]));
        GdiFlush();
        rowsTopDown = topDown[2] != savedTop[2];
        std::memcpy(topDown, savedTop, 4);
        std::memcpy(bottomUp, savedBottom, 4);
    }
    first_ = rowsTopDown ? topDown : bottomUp;
    stride_ = rowsTopDown ? rowBytes : -rowBytes;
    return true;
}

void TargetPixels::WriteBack() {
    if (copy_.empty()) return;
    BITMAPINFO info = Header(width_, height_);
    SetDIBitsToDevice(dc_, x_, y_, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0, 0, 0,
                      static_cast<UINT>(height_), copy_.data(), &info, DIB_RGB_COLORS);
}
