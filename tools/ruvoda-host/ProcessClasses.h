#pragma once
#include <windows.h>

#include <string>
#include <vector>

class FilterModule;

// The DLL's filter and property-page classes made known to COM in this process only. The
// system's property frame creates each page with CoCreateInstance of its class; these
// class objects answer it even where nothing is registered, and come before any registered
// copy of the DLL. Revoked when this goes, which must be before the module goes.
class ProcessClasses {
public:
    ProcessClasses() = default;
    ~ProcessClasses();
    ProcessClasses(const ProcessClasses&) = delete;
    ProcessClasses& operator=(const ProcessClasses&) = delete;

    // Needs COM initialised on this thread. 0, or -1 with `error` set.
    int Register(FilterModule& module, std::string& error);

private:
    std::vector<DWORD> cookies_;
};
