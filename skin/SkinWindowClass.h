#pragma once
// The one description every skinned control class is registered with.
#include <windows.h>

// Registers `name` with `procedure`: double-clicks, parent DC, a pointer-sized state slot,
// the arrow cursor and the button-face brush. An existing registration is left as it is.
void RegisterSkinWindowClass(HINSTANCE module, const char* name, WNDPROC procedure);
