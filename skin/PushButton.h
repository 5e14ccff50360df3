#pragma once
// qv:PushButton: a momentary skinned button that reports press, click, leave, re-enter,
// double-click and right-click to its parent; the parent decides about toggling by lighting it.
#include <windows.h>

void RegisterPushButtonClass(HINSTANCE module);
LRESULT CALLBACK PushButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
