#include "FocusFrame.h"

#include "PenLine.h"

namespace {

void DrawFrame(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
    DrawPenLine(dc, r.left, r.top, r.right, r.top, topLeft);
    DrawPenLine(dc, r.left, r.top, r.left, r.bottom, topLeft);
    DrawPenLine(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, bottomRight);
    DrawPenLine(dc, r.right - 1, r.top, r.right - 1, r.bottom, bottomRight);
}

}  // namespace

void DrawFocusFrame(HDC dc, const RECT& rect) {
    DrawFrame(dc, rect, 0x909090, 0x909090);
}

void DrawEditFocusFrame(HDC dc, const RECT& rect) {
    DrawFrame(dc, rect, RGB(225, 0, 0), RGB(200, 0, 0));
}
