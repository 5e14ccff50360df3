#include "ProcessClasses.h"

#include "ComResult.h"
#include "FilterModule.h"
#include "qvRuvodaR3.h"

ProcessClasses::~ProcessClasses() {
    for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
}

int ProcessClasses::Register(FilterModule& module, std::string& error) {
    const struct {
        const CLSID& clsid;
        const char* what;
    } classes[] = {{CLSID_RuvodaR3, "filter"}, {CLSID_RuvodaR3Page, "property page"}};
    for (const auto& entry : classes) {
        IClassFactory* factory = nullptr;
        if (module.GetClassObject(entry.clsid, entry.what, &factory, error) != 0) return -1;
        DWORD cookie = 0;
        const HRESULT hr =
            CoRegisterClassObject(entry.clsid, factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie);
        factory->Release();  // COM keeps its own reference while registered
        if (FAILED(hr)) {
            error = std::string("cannot make the ") + entry.what + " class known to COM (" + DescribeResult(hr) + ")";
            return -1;
        }
        cookies_.push_back(cookie);
    }
    return 0;
}
