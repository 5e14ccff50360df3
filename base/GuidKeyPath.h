#pragma once
#include <windows.h>

#include <string>

// "<parent>\{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": the registry path of an identifier's
// key, such as a COM class's under "CLSID" or a legacy filter's under "Filter".
std::wstring GuidKeyPath(const wchar_t* parent, const GUID& id);
