// Drawing pieces shared by the frequency and the reverb-time displays: outlined
// polygons, edge lines and the square drag handles, in the displays' common colours.
#pragma once

#include <windows.h>

constexpr COLORREF kDisplayOutline = 0xC19253;    // band outlines and dark edges
constexpr COLORREF kDisplayLightEdge = 0xDCB67C;  // light edges of a band
constexpr COLORREF kHandleOutline = 0x606060;
constexpr COLORREF kHandleActive = 0x80FFFF;  // fill of the handle being dragged
constexpr COLORREF kHandleIdle = 0xFFFFFF;
constexpr int kHandleSize = 7;

// One line from (x0, y0) to (x1, y1), end point excluded.
struct Segment {
    int x0, y0, x1, y1;
};

// Draws the segments with a one-pixel pen of `colour`; nothing when the pen cannot be made.
void DrawSegments(HDC dc, COLORREF colour, const Segment* segments, int count);

// A polygon outlined with `outline` and filled with `fill`.
void DrawFilledPolygon(HDC dc, COLORREF outline, COLORREF fill, const POINT* points, int count);

// A drag handle whose outline spans (left, top) to (left + 7, top + 7), exclusive.
void DrawHandle(HDC dc, int left, int top, bool active);
