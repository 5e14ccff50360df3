#include "ControlPaint.h"

#include "ControlBuffer.h"

POINT PlaceOnParent(HWND window) {
    RECT placed;
    GetWindowRect(window, &placed);
    POINT origin = {placed.left, placed.top};
    HWND parent = GetParent(window);
    if (parent) ScreenToClient(parent, &origin);
    return origin;
}

void CopyControlBackground(HWND window, HBITMAP background, HDC dc, const RECT& area) {
    if (!background) return;
    // Where the window sits in its parent's client area is where it sits on the face.
    const POINT origin = PlaceOnParent(window);
    HDC faceDc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(faceDc, background);
    BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, faceDc,
           origin.x + area.left, origin.y + area.top, SRCCOPY);
    SelectObject(faceDc, old);
    DeleteDC(faceDc);
}

void PaintControl(HWND window, HBITMAP background, ControlContent& content) {
    RECT client;
    GetClientRect(window, &client);
    const int width = client.right > 0 ? client.right : 1, height = client.bottom > 0 ? client.bottom : 1;
    ControlBuffer* buffer = ControlBuffer::Of(window);
    if (!buffer || !buffer->Prepare(window, background, width, height)) return;
    content.Draw(buffer->Dc(), client);
    HDC windowDc = GetDC(window);
    if (!windowDc) return;
    BitBlt(windowDc, 0, 0, client.right, client.bottom, buffer->Dc(), 0, 0, SRCCOPY);
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
