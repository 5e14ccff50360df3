// qv:RevTime: reverberation time over frequency on logarithmic axes, shaped by dragging
// the low group (crossover, low-band multiplier) and the mid group (damping, reverb time).
#pragma once

#include <windows.h>

void RegisterRevTimeClass(HINSTANCE module);
LRESULT CALLBACK RevTimeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
