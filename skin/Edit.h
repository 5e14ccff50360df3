#pragma once
// qv:Edit: a skinned value field that shows its parent's text and reports drag, wheel and key
// steps; a double-click or Space opens an inline text box for typing a value.
#include <windows.h>

void RegisterEditClass(HINSTANCE module);
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
