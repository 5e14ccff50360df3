// qv:StaticImage: shows the top-left part of one of the module's BITMAP resources, chosen
// by number; a click is reported to the parent with the pointer position.
#pragma once

#include <windows.h>

void RegisterStaticImageClass(HINSTANCE module);
LRESULT CALLBACK StaticImageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
