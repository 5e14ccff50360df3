#include "FilterModule.h"

#include <cstdio>

#include "ComResult.h"
#include "ProgramFolder.h"
#include "qvRuvodaR3.h"

namespace {

std::string SystemMessage(DWORD code) {
    char text[256] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, text, sizeof text, nullptr);
    while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n' ||
                          text[length - 1] == ' ' || text[length - 1] == '.'))
        --length;
    char number[32];
    std::snprintf(number, sizeof number, "error %lu", static_cast<unsigned long>(code));
    return length ? std::string(text, length) + " (" + number + ")" : std::string(number);
}

}  // namespace

FilterModule::~FilterModule() {
    if (module_) FreeLibrary(module_);
}

int FilterModule::Load(const std::string& path, std::string& error) {
    path_ = path.empty() ? ProgramFolder() + "qvRuvodaR3.dll" : path;
    // A missing or broken DLL is reported here, not by a system dialog.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    module_ = LoadLibraryExA(path_.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    const DWORD code = GetLastError();
    SetErrorMode(oldMode);
    if (!module_) {
        error = "cannot load the filter DLL " + path_ + ": " + SystemMessage(code);
        return -1;
    }
    return 0;
}

int FilterModule::GetClassObject(REFCLSID clsid, const char* what, IClassFactory** factory,
                                 std::string& error) {
    *factory = nullptr;
    using GetClassObjectEntry = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    // Through void*: the exported address is untyped until it is called as what it is.
    const auto getClassObject = reinterpret_cast<GetClassObjectEntry>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    if (!getClassObject) {
        error = path_ + " is not a COM server (it exports no DllGetClassObject)";
        return -1;
    }
    const HRESULT hr = getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory));
    if (FAILED(hr) || !*factory) {
        *factory = nullptr;
        error = path_ + " does not hold the qv:Ruvoda R3 " + what + " class (" + DescribeResult(hr) + ")";
        return -1;
    }
    return 0;
}

int FilterModule::CreateFilter(IBaseFilter** filter, std::string& error) {
    *filter = nullptr;
    IClassFactory* factory = nullptr;
    if (GetClassObject(CLSID_RuvodaR3, "filter", &factory, error) != 0) return -1;
    const HRESULT hr = factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(filter));
    factory->Release();
    if (FAILED(hr) || !*filter) {
        *filter = nullptr;
        error = "the filter DLL " + path_ + " cannot create the filter (" + DescribeResult(hr) + ")";
        return -1;
    }
    return 0;
}
