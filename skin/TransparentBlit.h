#pragma once
// Drawing a bitmap with a key colour left unpainted.
#include <windows.h>

// Draws the width x height rectangle at (srcX, srcY) of `bitmap` at (x, y), leaving every
// pixel equal to `key` unpainted. Nothing is drawn for a null bitmap.
void TransparentBlit(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int width,
                     int height, COLORREF key);
