#pragma once
// qv:Slider: a skinned horizontal fader, dragged relatively with the pointer hidden, stepped by
// wheel and keys, reporting its value to the parent.
#include <windows.h>

void RegisterSliderClass(HINSTANCE module);
LRESULT CALLBACK SliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
