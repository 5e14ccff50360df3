#pragma once
// The system's HTML Help viewer, bound at run time: the module does not link it but finds its
// entry in the HTML Help control, located through the control's class registration.
#include <windows.h>

// The system calls the binding makes; tests stand in for them.
class HelpViewerSystem {
public:
    virtual ~HelpViewerSystem() = default;
    // The registered file of the HTML Help control, into `path` of `size` bytes; false when
    // the control is not registered.
    virtual bool RegisteredControlPath(char* path, DWORD size) = 0;
    virtual HMODULE LoadModule(const char* name) = 0;
    virtual FARPROC ExportByOrdinal(HMODULE module, WORD ordinal) = 0;
};

// The registry and the loader.
HelpViewerSystem& SystemHelpViewer();

class HelpViewer {
public:
    explicit HelpViewer(HelpViewerSystem& system) : system_(system) {}

    // The viewer's HtmlHelpA(owner, file, command, data). Null when the viewer fails, or when
    // it cannot be bound; a failed binding is not tried again.
    HWND Call(HWND owner, const char* file, UINT command, DWORD_PTR data);

private:
    using Entry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

    bool Bind();

    HelpViewerSystem& system_;
    HMODULE module_ = nullptr;  // never freed: the viewer's windows may outlive any caller
    bool failed_ = false;
    Entry entry_ = nullptr;
};

// The viewer of this process, shared by every editor window and kept until the module is
// unloaded.
HelpViewer& ProcessHelpViewer();
