#pragma once
#include <windows.h>

#include <string>

// "SOFTWARE\Classes\CLSID\{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}": the registry key path
// of a COM class, which preset files carry as their CLSID value.
std::string ClassKeyPath(const GUID& classId);
