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
    WindowDc windowDc(window);
    if (windowDc.Get()) BitBlt(windowDc.Get(), 0, 0, client.right, client.bottom, buffer->Dc(), 0, 0, SRCCOPY);
}

namespace {

thread_local PaintCycle* innermostCycle = nullptr;

}  // namespace

PaintCycle::PaintCycle(HWND window) : window_(window), outer_(innermostCycle) {
    BeginPaint(window, &paint_);
    innermostCycle = this;
}

PaintCycle::~PaintCycle() {
    innermostCycle = outer_;
    EndPaint(window_, &paint_);
}

HDC PaintCycle::DcOf(HWND window) {
    for (PaintCycle* cycle = innermostCycle; cycle; cycle = cycle->outer_)
        if (cycle->window_ == window) return cycle->paint_.hdc;
    return nullptr;
}

WindowDc::WindowDc(HWND window) : window_(window), dc_(PaintCycle::DcOf(window)), owned_(dc_ == nullptr) {
    if (owned_) dc_ = GetDC(window);
}

WindowDc::~WindowDc() {
    if (owned_ && dc_) ReleaseDC(window_, dc_);
}

bool IsFullColourDisplay(HWND window) {
    HDC dc = GetDC(window);
    const int bits = dc ? GetDeviceCaps(dc, BITSPIXEL) : 32;
    if (dc) ReleaseDC(window, dc);
    return bits > 8;
}
