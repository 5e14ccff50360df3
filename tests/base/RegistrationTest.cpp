// Self-registration of this test program's class table, in the build tree's own Wine prefix.
#include <gtest/gtest.h>
#include <string>
#include "ClassesRoot.h"
#include "HalfGainFilter.h"
#include "ServerRegistration.h"
#include "TestTemplates.h"

namespace {

TEST(ServerRegistration, RegistersUnregistersAndReplacesStaleEntries) {
    HMODULE self = GetModuleHandleW(nullptr);
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    ASSERT_EQ(S_OK, ServerRegister(self));

    for (const CLSID* clsid : {&CLSID_HalfGainFilter, &CLSID_RefusingClass}) {
        EXPECT_EQ(std::wstring(path), StringValue(ClassKey(*clsid) + L"\\InprocServer32", nullptr));
        EXPECT_EQ(L"Both", StringValue(ClassKey(*clsid) + L"\\InprocServer32", L"ThreadingModel"));
    }
    EXPECT_EQ(L"Half Gain Test Filter", StringValue(ClassKey(CLSID_HalfGainFilter), nullptr));
    EXPECT_EQ(L"Refusing Test Class", StringValue(ClassKey(CLSID_RefusingClass), nullptr));
    // Only the template with a setup record reaches the filter mapper.
    EXPECT_TRUE(KeyExists(MapperKey(CLSID_HalfGainFilter)));
    EXPECT_EQ(L"Half Gain Test Filter", StringValue(MapperKey(CLSID_HalfGainFilter), L"FriendlyName"));
    EXPECT_FALSE(KeyExists(MapperKey(CLSID_RefusingClass)));

    ASSERT_EQ(S_OK, ServerUnregister());
    for (const CLSID* clsid : {&CLSID_HalfGainFilter, &CLSID_RefusingClass}) {
        EXPECT_FALSE(KeyExists(ClassKey(*clsid)));
        EXPECT_FALSE(KeyExists(MapperKey(*clsid)));
    }
    // Unregistering what is gone is not an error.
    EXPECT_EQ(S_OK, ServerUnregister());

    // Registering again over a stale entry (one test, as both would share the keys).
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_CLASSES_ROOT, (ClassKey(CLSID_HalfGainFilter) + L"\\InprocServer32").c_str(),
                                             0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    const wchar_t stale[] = L"C:\\nowhere\\old.dll";
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(stale), sizeof stale);
    RegCloseKey(key);
    ASSERT_EQ(S_OK, ServerRegister(self));
    EXPECT_EQ(std::wstring(path), StringValue(ClassKey(CLSID_HalfGainFilter) + L"\\InprocServer32", nullptr));
    ASSERT_EQ(S_OK, ServerUnregister());
    EXPECT_FALSE(KeyExists(ClassKey(CLSID_HalfGainFilter)));
}

}  // namespace
