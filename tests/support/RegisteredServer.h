#pragma once
// The DLL registered with regsvr32 in the test prefix, and what that left under
// HKEY_CLASSES_ROOT.
#include <windows.h>

#include <string>

// Full path of qvRuvodaR3.dll, beside the test program.
std::wstring ServerDllPath();

// Runs regsvr32 silently on the DLL (with /u to unregister); its exit code, or ~0u when it
// could not be started.
DWORD RunRegsvr32(bool unregister);

std::wstring GuidText(REFGUID guid);
// "CLSID\{...}" of `clsid`.
std::wstring ClassKey(REFCLSID clsid);
// The filter mapper's entry for a filter in the legacy DirectShow category.
std::wstring MapperKey(REFCLSID clsid);
bool KeyExists(const std::wstring& path);
// The string value `name` (null: the default value), or "<missing>".
std::wstring StringValue(const std::wstring& path, const wchar_t* name);
// The DWORD value `name`, or 0xDEADBEEF when there is none.
DWORD DwordValue(const std::wstring& path, const wchar_t* name);
