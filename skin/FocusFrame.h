#pragma once
// The one-pixel focus marks of the skinned controls.
#include <windows.h>

// Grey frame (buttons): top and left on the rectangle's edges, bottom and right just inside.
void DrawFocusFrame(HDC dc, const RECT& rect);
// Red frame (numeric fields): same lines, lighter red top and left, darker bottom and right.
void DrawEditFocusFrame(HDC dc, const RECT& rect);
