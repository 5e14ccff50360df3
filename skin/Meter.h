// qv:Meter: a level bar with meter ballistics (instant rise, linear fall), a held peak
// line and a running maximum. It has no clock: each level update is one time step.
#pragma once

#include <windows.h>

// Style bits.
inline constexpr DWORD kMeterVerticalStyle = 1;    // vertical bar, rising upward
inline constexpr DWORD kMeterBallisticsStyle = 8;  // ballistics, peak hold and peak line

void RegisterMeterClass(HINSTANCE module);
LRESULT CALLBACK MeterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
