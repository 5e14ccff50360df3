#pragma once
#include <windows.h>

#include <dshow.h>

#include <string>

// The filter DLL, loaded straight from a file and asked for its classes through its class
// factory, so that a program using it needs no registration. The module stays loaded while
// the object lives; release every object it made before this goes.
class FilterModule {
public:
    FilterModule() = default;
    ~FilterModule();
    FilterModule(const FilterModule&) = delete;
    FilterModule& operator=(const FilterModule&) = delete;

    // `path` empty: qvRuvodaR3.dll beside this program. 0, or -1 with `error` set.
    int Load(const std::string& path, std::string& error);
    // The class object of `clsid`, which `what` names in the error ("filter", "property
    // page"). 0, or -1 with `error` set.
    int GetClassObject(REFCLSID clsid, const char* what, IClassFactory** factory, std::string& error);
    // A new filter object; needs COM initialised on this thread. 0, or -1 with `error` set.
    int CreateFilter(IBaseFilter** filter, std::string& error);
    const std::string& Path() const { return path_; }

private:
    HMODULE module_ = nullptr;
    std::string path_;
};
