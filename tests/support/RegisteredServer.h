#pragma once
#include <windows.h>

#include <string>

// Full path of qvRuvodaR3.dll, beside the test program.
std::wstring ServerDllPath();

// Runs regsvr32 silently on the DLL (with /u to unregister); its exit code, or ~0u when it
// could not be started.
DWORD RunRegsvr32(bool unregister);
