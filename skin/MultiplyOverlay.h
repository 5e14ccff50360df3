#pragma once
// Shading of a drawn area by a grey overlay bitmap.
#include <windows.h>

// Multiplies every colour byte of the target rectangle by the blue byte of the overlay's
// pixel at the same offset (top-left width x height of the overlay): white keeps, grey darkens.
void MultiplyOverlay(HDC dc, int x, int y, int width, int height, HBITMAP overlay);
