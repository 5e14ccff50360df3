#pragma once
#include <windows.h>

#include <string>

// Where a plug-in's own preset file lies: the directory in the string value PluginPath of
// the class key (under HKEY_LOCAL_MACHINE), else beside the module registered under the
// key's InProcServer32, else beside `module` (the module holding the code, so that an
// unregistered DLL finds the file shipped beside it). Empty when none of them gives a path;
// a null `module` stands for none.
std::string FindPresetFilePath(const char* classKey, const char* fileName, HMODULE module);
