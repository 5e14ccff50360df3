#pragma once
// One-pixel lines in a given colour.
#include <windows.h>

// Draws from (x0, y0) up to, not including, (x1, y1); skipped when no pen can be created.
void DrawPenLine(HDC dc, int x0, int y0, int x1, int y1, COLORREF colour);
