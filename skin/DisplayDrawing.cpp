#include "DisplayDrawing.h"

void DrawSegments(HDC dc, COLORREF colour, const Segment* segments, int count) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    if (!pen) return;
    HGDIOBJ old = SelectObject(dc, pen);
    for (int i = 0; i < count; ++i) {
        MoveToEx(dc, segments[i].x0, segments[i].y0, nullptr);
        LineTo(dc, segments[i].x1, segments[i].y1);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

namespace {

// Runs `draw` with a pen of `outline` and a solid brush of `fill` selected.
template <typename Draw>
void WithPenAndBrush(HDC dc, COLORREF outline, COLORREF fill, Draw draw) {
    HPEN pen = CreatePen(PS_SOLID, 1, outline);
    if (!pen) return;
    HBRUSH brush = CreateSolidBrush(fill);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = brush ? SelectObject(dc, brush) : nullptr;
    draw();
    if (oldBrush) SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    if (brush) DeleteObject(brush);
    DeleteObject(pen);
}

}  // namespace

void DrawFilledPolygon(HDC dc, COLORREF outline, COLORREF fill, const POINT* points, int count) {
    WithPenAndBrush(dc, outline, fill, [&] { Polygon(dc, points, count); });
}

void DrawHandle(HDC dc, int left, int top, bool active) {
    WithPenAndBrush(dc, kHandleOutline, active ? kHandleActive : kHandleIdle,
                    [&] { Rectangle(dc, left, top, left + kHandleSize, top + kHandleSize); });
}
