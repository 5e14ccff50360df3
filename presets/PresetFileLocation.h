#pragma once
#include <string>

// Where a plug-in's own preset file lies: the directory in the string value PluginPath of
// the class key (under HKEY_LOCAL_MACHINE), else beside the module registered under the
// key's InProcServer32. Empty when neither value exists.
std::string FindPresetFilePath(const char* classKey, const char* fileName);
