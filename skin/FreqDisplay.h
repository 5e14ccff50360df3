// qv:FreqDisplay: a pass band on a logarithmic axis from 19 Hz to 22100 Hz whose two
// edges, or the whole band, are dragged with the mouse.
#pragma once

#include <windows.h>

void RegisterFreqDisplayClass(HINSTANCE module);
LRESULT CALLBACK FreqDisplayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
