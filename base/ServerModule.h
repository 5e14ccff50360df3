#pragma once
// The module handle of this in-process server, set once from DllMain.
#include <windows.h>

void SetServerModule(HMODULE module);
HMODULE ServerModule();
