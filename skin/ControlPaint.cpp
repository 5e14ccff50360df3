#include "ControlPaint.h"

void CopyControlBackground(HWND window, HBITMAP background, HDC dc, const RECT& area) {
    if (!background) return;
    // Where the window sits in its parent's client area is where it sits on the face.
    RECT placed;
    GetWindowRect(window, &placed);
    POINT origin = {placed.left, placed.top};
    HWND parent = GetParent(window);
    if (parent) ScreenToClient(parent, &origin);
    HDC faceDc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(faceDc, background);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, faceDc,
           origin.x + area.left, origin.y + area.top, SRCCOPY);
    SelectObject(faceDc, old);
    DeleteDC(faceDc);
}

void PaintControl(HWND window, HBITMAP background, ControlContent& content) {
    HDC windowDc = GetDC(window);
    if (!windowDc) return;
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right, height = client.bottom;
    HDC memoryDc = CreateCompatibleDC(windowDc);
    HBITMAP buffer = CreateCompatibleBitmap(windowDc, width > 0 ? width : 1, height > 0 ? height : 1);
    HGDIOBJ old = SelectObject(memoryDc, buffer);
    CopyControlBackground(window, background, memoryDc, client);
    content.Draw(memoryDc, client);
    BitBlt(windowDc, 0, 0, width, height, memoryDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, old);
    DeleteObject(buffer);
    DeleteDC(memoryDc);
    ReleaseDC(window, windowDc);
}

void ValidatePaint(HWND window) {
    PAINTSTRUCT paint;
    BeginPaint(window, &paint);
    EndPaint(window, &paint);
}

bool IsFullColourDisplay(HWND window) {
    HDC dc = GetDC(window);
    const int bits = dc ? GetDeviceCaps(dc, BITSPIXEL) : 32;
    if (dc) ReleaseDC(window, dc);
    return bits > 8;
}
