#include "PresetFileLocation.h"

#include <windows.h>

#include <cstring>

#include "StoreText.h"

namespace {
// A string value of an HKLM key, at most 260 bytes; false when the key or value is missing,
// empty or not a string (an empty folder would put the file at the root of the drive).
bool ReadMachineString(const std::string& keyPath, const char* valueName, std::string& out) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath.c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS) {
        return false;
    }
    char buffer[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;  // one byte spare keeps an unterminated value terminated
    DWORD type = 0;
    const LONG result = RegQueryValueExA(key, valueName, nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ) ||
        buffer[0] == '\0') {
        return false;
    }
    out = buffer;
    return true;
}

// `fileName` in the folder of `module`'s file; empty for no module or an unknown file.
std::string BesideModule(HMODULE module, const char* fileName) {
    char path[MAX_PATH] = {};
    if (module == nullptr) return std::string();
    const DWORD length = GetModuleFileNameA(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    std::string folder(path, length);
    const size_t slash = folder.rfind('\\');
    if (slash == std::string::npos) return std::string();
    folder.erase(slash + 1);
    return folder + fileName;
}
}  // namespace

std::string FindPresetFilePath(const char* classKey, const char* fileName, HMODULE module) {
    if (classKey == nullptr || fileName == nullptr) return std::string();
    std::string value;
    if (ReadMachineString(classKey, "PluginPath", value)) {
        if (value.empty() || value.back() != '\\') value += '\\';
        return value + fileName;
    }
    if (ReadMachineString(std::string(classKey) + "\\InProcserver32", nullptr, value)) {
        const size_t slash = value.rfind('\\');
        if (ContainsFolded(value.c_str(), ".dll") && slash != std::string::npos) {
            value.erase(slash + 1);
            value += fileName;
        }
        return value;
    }
    return BesideModule(module, fileName);
}
