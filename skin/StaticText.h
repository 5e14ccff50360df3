// qv:StaticText: a label centred over the editor background; a click is reported to the
// parent as WM_COMMAND with the label's id.
#pragma once

#include <windows.h>

void RegisterStaticTextClass(HINSTANCE module);
LRESULT CALLBACK StaticTextProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
