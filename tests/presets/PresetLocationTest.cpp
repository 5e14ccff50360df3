#include <gtest/gtest.h>

#include <string>

#include "PresetFileLocation.h"
#include "PresetTestSupport.h"

namespace {

// A class key of its own per process, removed again after each test.
class PresetLocationTest : public ::testing::Test {
protected:
    PresetLocationTest()
        : key_("SOFTWARE\\Classes\\CLSID\\{7A3E1CFF-0000-4000-8000-" +
               std::to_string(1000000000000ull + GetCurrentProcessId()) + "}") {}
    ~PresetLocationTest() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_.c_str()); }

    void SetValue(const std::string& subKey, const char* name, const std::string& value) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    void SetPluginPath(const std::string& value) { SetValue(key_, "PluginPath", value); }
    void SetModulePath(const std::string& value) {
        SetValue(key_ + "\\InprocServer32", nullptr, value);
    }
    std::string Found(HMODULE module = nullptr) const {
        return FindPresetFilePath(key_.c_str(), "qvRuvodaR3.ini", module);
    }

    std::string key_;
};

TEST_F(PresetLocationTest, PluginPathThenTheRegisteredModuleThenTheLoadedModule) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    char modulePath[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(kernel, modulePath, MAX_PATH), 0u);
    std::string besideKernel(modulePath);
    besideKernel.replace(besideKernel.rfind('\\') + 1, std::string::npos, "qvRuvodaR3.ini");
    struct Case {
        const char* pluginPath;  // null: no such value
        const char* modulePath;  // null: no such value
        HMODULE module;
        std::string expected;
    };
    const Case cases[] = {
        {"D:\\Presets", nullptr, nullptr, "D:\\Presets\\qvRuvodaR3.ini"},
        {"D:\\Presets\\", nullptr, nullptr, "D:\\Presets\\qvRuvodaR3.ini"},
        {"E:\\Mine", "C:\\Filters\\qvRuvodaR3.dll", kernel, "E:\\Mine\\qvRuvodaR3.ini"},
        {nullptr, "C:\\Program Files\\Quillorn\\qvRuvodaR3.DLL", nullptr, "C:\\Program Files\\Quillorn\\qvRuvodaR3.ini"},
        {nullptr, "C:\\odd.dll.folder\\module.ax", nullptr, "C:\\odd.dll.folder\\qvRuvodaR3.ini"},
        {nullptr, "C:\\Filters\\qvRuvodaR3.dll", kernel, "C:\\Filters\\qvRuvodaR3.ini"},
        // Without ".dll" or a backslash the path is taken as it is.
        {nullptr, "C:\\Filters\\module.ax", nullptr, "C:\\Filters\\module.ax"},
        {nullptr, "qvRuvodaR3.dll", nullptr, "qvRuvodaR3.dll"},
        {nullptr, nullptr, nullptr, ""},
        {nullptr, nullptr, kernel, besideKernel},
    };
    for (const Case& c : cases) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key_.c_str());
        SetValue(key_, "Other", "x");
        if (c.pluginPath) SetPluginPath(c.pluginPath);
        if (c.modulePath) SetModulePath(c.modulePath);
        EXPECT_EQ(Found(c.module), c.expected) << (c.pluginPath ? c.pluginPath : "-") << " "
                                               << (c.modulePath ? c.modulePath : "-") << " " << c.module;
    }
}

TEST_F(PresetLocationTest, LoadWithoutAnyPathStaysEmptyAndWritesNothing) {
    ScriptedMessages messages;
    PresetStore store(nullptr, nullptr, "qv:Reverb", &messages);
    store.Load(key_.c_str(), "qvRuvodaR3.ini");
    EXPECT_STREQ(store.FilePath(), "");
    EXPECT_EQ(store.Count(), 0);
    AddPreset(store, "x", "");
    store.WriteAll(store.ClassKey(), store.FilePath());
    char probe[32];
    // The empty path must not have sent the preset to the system's own INI file.
    GetProfileStringA("Preset1", "Name", "absent", probe, sizeof probe);
    EXPECT_STREQ(probe, "absent");
    EXPECT_TRUE(messages.shown.empty());

    // A store of a loaded module looks beside it.
    PresetStore ofModule(GetModuleHandleA("kernel32.dll"), nullptr, "qv:Reverb", &messages);
    ofModule.Load(key_.c_str(), "qvRuvodaR3.ini");
    EXPECT_EQ(ofModule.FilePath(), Found(GetModuleHandleA("kernel32.dll")));
    EXPECT_NE(Found(GetModuleHandleA("kernel32.dll")), "");
}

}  // namespace
