// The real DLL: self-registration through regsvr32 and creation through COM.
#include <gtest/gtest.h>

#include <dshow.h>
#include <ocidl.h>

#include <string>

#include "IFactoryPresets.h"
#include "qvRuvodaR3.h"

namespace {

// An exported function of `module` as the type the caller names.
template <class Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// qvRuvodaR3.dll, beside the test program.
std::wstring ServerDllPath() {
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    dir.resize(dir.find_last_of(L"\\/") + 1);
    return dir + L"qvRuvodaR3.dll";
}

// regsvr32's exit code, or ~0u when it could not be started.
DWORD RunRegsvr32(bool unregister) {
    std::wstring command = std::wstring(L"regsvr32.exe /s ") + (unregister ? L"/u " : L"");
    command += L"\"" + ServerDllPath() + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return ~0u;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = ~0u;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}

std::wstring ClassKey(REFCLSID clsid) { return L"CLSID\\" + GuidText(clsid); }

// The filter mapper's entry for a filter in the legacy DirectShow category.
std::wstring MapperKey(REFCLSID clsid) {
    return ClassKey(CLSID_LegacyAmFilterCategory) + L"\\Instance\\" + GuidText(clsid);
}

bool KeyExists(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The string value `name` (null: the default value), or "<missing>".
std::wstring StringValue(const std::wstring& path, const wchar_t* name) {
    wchar_t text[512] = {};
    DWORD bytes = sizeof text;
    if (RegGetValueW(HKEY_CLASSES_ROOT, path.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
        return L"<missing>";
    return text;
}

const std::wstring kFilterClass = ClassKey(CLSID_RuvodaR3);
const std::wstring kPageClass = ClassKey(CLSID_RuvodaR3Page);
const std::wstring kFilterKey = L"Filter\\" + GuidText(CLSID_RuvodaR3);
const std::wstring kMapperEntry = MapperKey(CLSID_RuvodaR3);

}  // namespace

TEST(Registration, RegisterWritesClassFilterAndPinKeysAndUnregisterRemovesThem) {
    ASSERT_EQ(0u, RunRegsvr32(true));  // no keys of an earlier registration stand in for new ones
    // The server entry of an earlier install elsewhere is replaced.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, (kFilterClass + L"\\InprocServer32").c_str(), 0,
                                             nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    const wchar_t stale[] = L"C:\\nowhere\\old.dll";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(stale), sizeof stale);
    RegCloseKey(key);
    ASSERT_EQ(0u, RunRegsvr32(false));
    EXPECT_EQ(L"Quillorn qv:Ruvoda R3", StringValue(kFilterClass, nullptr));
    EXPECT_EQ(L"Both", StringValue(kFilterClass + L"\\InprocServer32", L"ThreadingModel"));
    EXPECT_EQ(0, lstrcmpiW(ServerDllPath().c_str(), StringValue(kFilterClass + L"\\InprocServer32", nullptr).c_str()));
    EXPECT_EQ(L"Quillorn qv:Ruvoda R3 Property Page", StringValue(kPageClass, nullptr));
    EXPECT_EQ(L"Quillorn qv:Ruvoda R3", StringValue(kFilterKey, nullptr));
    EXPECT_FALSE(KeyExists(L"Filter\\" + GuidText(CLSID_RuvodaR3Page)));
    EXPECT_FALSE(KeyExists(MapperKey(CLSID_RuvodaR3Page)));  // only filters reach the mapper
    EXPECT_EQ(L"Quillorn qv:Ruvoda R3", StringValue(kMapperEntry, L"FriendlyName"));
    for (const wchar_t* pin : {L"In", L"Out"}) {
        const std::wstring key = kFilterClass + L"\\Pins\\" + pin;
        DWORD direction = 0xDEADBEEF, bytes = sizeof direction;
        RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), L"Direction", RRF_RT_REG_DWORD, nullptr, &direction, &bytes);
        EXPECT_EQ(pin == std::wstring(L"Out") ? 1u : 0u, direction) << pin;
        EXPECT_TRUE(KeyExists(key + L"\\Types\\" + GuidText(MEDIATYPE_Audio) + L"\\" + GuidText(GUID_NULL))) << pin;
    }

    // Unregistering twice is no error.
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(0u, RunRegsvr32(true));
        for (const std::wstring& key : {kFilterClass, kPageClass, kFilterKey, kMapperEntry})
            EXPECT_FALSE(KeyExists(key)) << std::string(key.begin(), key.end());
    }

    // Leave the prefix registered for the tests that create the filter through COM.
    ASSERT_EQ(0u, RunRegsvr32(false));
}

TEST(Registration, FilterAndPageAreCreatedByClassId) {
    ASSERT_EQ(0u, RunRegsvr32(false));
    IBaseFilter* filter = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_RuvodaR3, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(&filter)));
    for (const IID* iid : {&IID_IReverbControl, &IID_IPersistStream, &IID_ISpecifyPropertyPages,
                           &IID_IFactoryPresets, &IID_IMediaFilter, &IID_IPersist}) {
        IUnknown* itf = nullptr;
        EXPECT_EQ(S_OK, filter->QueryInterface(*iid, reinterpret_cast<void**>(&itf))) << GuidText(*iid).c_str();
        if (itf == nullptr) continue;
        // Every interface speaks for the same object.
        IUnknown* identity = nullptr;
        itf->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&identity));
        EXPECT_EQ(static_cast<IUnknown*>(filter), identity);
        if (identity != nullptr) identity->Release();
        itf->Release();
    }
    CLSID clsid = {};
    EXPECT_EQ(S_OK, filter->GetClassID(&clsid));
    EXPECT_TRUE(IsEqualGUID(CLSID_RuvodaR3, clsid));

    // The module stays loaded while the filter lives.
    HMODULE module = GetModuleHandleW(ServerDllPath().c_str());
    ASSERT_NE(nullptr, module);
    auto canUnload = Export<HRESULT(STDAPICALLTYPE*)()>(module, "DllCanUnloadNow");
    ASSERT_NE(nullptr, canUnload);
    EXPECT_EQ(S_FALSE, canUnload());
    filter->Release();
    EXPECT_EQ(S_OK, canUnload());

    // The page comes from the same factory, which knows no other class.
    IPropertyPage* page = nullptr;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_RuvodaR3Page, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                     reinterpret_cast<void**>(&page)));
    page->Release();
    auto getClassObject = Export<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(module, "DllGetClassObject");
    ASSERT_NE(nullptr, getClassObject);
    IClassFactory* factory = nullptr;
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE,
              getClassObject(IID_IReverbControl, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
}
