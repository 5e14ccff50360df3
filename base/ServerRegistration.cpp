#include "ServerRegistration.h"
#include <dshow.h>
#include <string>
#include "ClassFactory.h"
#include "GuidKeyPath.h"

namespace {

// Registration may run where nobody initialised COM (regsvr32, installers).
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }

private:
    HRESULT hr_;
};

LONG SetStringValue(HKEY key, const wchar_t* name, const std::wstring& value) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

HRESULT RegisterClassKey(const FactoryTemplate& entry, const std::wstring& modulePath) {
    HKEY classKey = nullptr;
    LONG err = RegCreateKeyExW(HKEY_CLASSES_ROOT, GuidKeyPath(L"CLSID", *entry.clsid).c_str(), 0, nullptr, 0,
                               KEY_WRITE, nullptr, &classKey, nullptr);
    if (err != ERROR_SUCCESS) return HRESULT_FROM_WIN32(err);
    err = SetStringValue(classKey, nullptr, entry.name ? entry.name : L"");
    HKEY serverKey = nullptr;
    if (err == ERROR_SUCCESS)
        err = RegCreateKeyExW(classKey, L"InprocServer32", 0, nullptr, 0, KEY_WRITE, nullptr, &serverKey, nullptr);
    if (err == ERROR_SUCCESS) {
        err = SetStringValue(serverKey, nullptr, modulePath);
        if (err == ERROR_SUCCESS) err = SetStringValue(serverKey, L"ThreadingModel", L"Both");
        RegCloseKey(serverKey);
    }
    RegCloseKey(classKey);
    return HRESULT_FROM_WIN32(err);
}

HRESULT OpenFilterMapper(IFilterMapper2** mapper) {
    return CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                            reinterpret_cast<void**>(mapper));
}

bool IsNotFound(HRESULT hr) {
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) || hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
}

}  // namespace

HRESULT ServerRegister(HMODULE module) {
    wchar_t path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameW(module, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return E_FAIL;

    ComScope com;
    for (int i = 0; i < g_FactoryTemplateCount; ++i) {
        HRESULT hr = RegisterClassKey(g_FactoryTemplates[i], path);
        if (FAILED(hr)) return hr;
    }
    IFilterMapper2* mapper = nullptr;
    HRESULT hr = S_OK;
    for (int i = 0; i < g_FactoryTemplateCount && SUCCEEDED(hr); ++i) {
        const FactoryTemplate& entry = g_FactoryTemplates[i];
        if (!entry.setup) continue;
        if (!mapper) {
            hr = OpenFilterMapper(&mapper);
            if (FAILED(hr)) break;
        }
        hr = mapper->RegisterFilter(*entry.clsid, entry.name, nullptr, &CLSID_LegacyAmFilterCategory, nullptr,
                                    entry.setup);
    }
    if (mapper) mapper->Release();
    return hr;
}

HRESULT ServerUnregister() {
    ComScope com;
    HRESULT result = S_OK;
    IFilterMapper2* mapper = nullptr;
    for (int i = 0; i < g_FactoryTemplateCount; ++i) {
        const FactoryTemplate& entry = g_FactoryTemplates[i];
        if (!entry.setup) continue;
        if (!mapper) {
            HRESULT hr = OpenFilterMapper(&mapper);
            if (FAILED(hr)) {
                result = hr;
                break;
            }
        }
        HRESULT hr = mapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *entry.clsid);
        if (FAILED(hr) && !IsNotFound(hr) && SUCCEEDED(result)) result = hr;
    }
    if (mapper) mapper->Release();
    for (int i = 0; i < g_FactoryTemplateCount; ++i) {
        LONG err = RegDeleteTreeW(HKEY_CLASSES_ROOT, GuidKeyPath(L"CLSID", *g_FactoryTemplates[i].clsid).c_str());
        HRESULT hr = HRESULT_FROM_WIN32(err);
        if (FAILED(hr) && !IsNotFound(hr) && SUCCEEDED(result)) result = hr;
    }
    return result;
}
