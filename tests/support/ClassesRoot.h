#pragma once
// Reading what self-registration left under HKEY_CLASSES_ROOT of the test prefix.
#include <windows.h>

#include <string>

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
