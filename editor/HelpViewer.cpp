#include "HelpViewer.h"

namespace {

const char kControlServerKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const char kControlFile[] = "hhctrl.ocx";
const WORD kHtmlHelpAOrdinal = 14;

class RegistryAndLoader : public HelpViewerSystem {
public:
    bool RegisteredControlPath(char* path, DWORD size) override {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CLASSES_ROOT, kControlServerKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        DWORD bytes = size - 1;  // one byte spare keeps an unterminated value terminated
        const LONG result =
            RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<BYTE*>(path), &bytes);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS) return false;
        path[bytes] = '\0';
        return true;
    }
    HMODULE LoadModule(const char* name) override { return LoadLibraryA(name); }
    FARPROC ExportByOrdinal(HMODULE module, WORD ordinal) override {
        return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
    }
};

}  // namespace

HelpViewerSystem& SystemHelpViewer() {
    static RegistryAndLoader system;
    return system;
}

bool HelpViewer::Bind() {
    if (module_ == nullptr && !failed_) {
        char path[MAX_PATH] = "";
        if (system_.RegisteredControlPath(path, sizeof path)) module_ = system_.LoadModule(path);
        if (module_ == nullptr) module_ = system_.LoadModule(kControlFile);
        if (module_ == nullptr) failed_ = true;
    }
    if (module_ == nullptr) return false;
    if (entry_ == nullptr) {
        entry_ = reinterpret_cast<Entry>(
            reinterpret_cast<void*>(system_.ExportByOrdinal(module_, kHtmlHelpAOrdinal)));
        if (entry_ == nullptr) failed_ = true;
    }
    return entry_ != nullptr;
}

HWND HelpViewer::Call(HWND owner, const char* file, UINT command, DWORD_PTR data) {
    return Bind() ? entry_(owner, file, command, data) : nullptr;
}

HelpViewer& ProcessHelpViewer() {
    static HelpViewer viewer(SystemHelpViewer());
    return viewer;
}
