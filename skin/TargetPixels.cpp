#include "TargetPixels.h"

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
    : dc_(dc), x_(x), y_(y), width_(width), height_(height),
      bits_(static_cast<size_t>(width) * height * 4) {
    HDC copyDc = CreateCompatibleDC(dc);
    HBITMAP copy = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, width, height, dc, x, y, SRCCOPY);
    SelectObject(copyDc, old);
    BITMAPINFO info = Header(width, height);
    GetDIBits(copyDc, copy, 0, static_cast<UINT>(height), bits_.data(), &info, DIB_RGB_COLORS);
    DeleteObject(copy);
    DeleteDC(copyDc);
}

void TargetPixels::WriteBack() {
    BITMAPINFO info = Header(width_, height_);
    SetDIBitsToDevice(dc_, x_, y_, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0, 0, 0,
                      static_cast<UINT>(height_), bits_.data(), &info, DIB_RGB_COLORS);
}
