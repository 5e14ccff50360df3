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

TEST_F(PresetLocationTest, PluginPathGetsExactlyOneBackslash) {
    SetPluginPath("D:\\Presets");
    EXPECT_EQ(Found(), "D:\\Presets\\qvRuvodaR3.ini");
    SetPluginPath("D:\\Presets\\");
    EXPECT_EQ(Found(), "D:\\Presets\\qvRuvodaR3.ini");
}

TEST_F(PresetLocationTest, PluginPathWinsOverTheModulesFolder) {
    SetModulePath("C:\\Filters\\qvRuvodaR3.dll");
    SetPluginPath("E:\\Mine");
    EXPECT_EQ(Found(), "E:\\Mine\\qvRuvodaR3.ini");
}

TEST_F(PresetLocationTest, TheFileLiesBesideTheRegisteredModule) {
    SetModulePath("C:\\Program Files\\Quillorn\\qvRuvodaR3.DLL");
    EXPECT_EQ(Found(), "C:\\Program Files\\Quillorn\\qvRuvodaR3.ini");
    SetModulePath("C:\\odd.dll.folder\\module.ax");
    EXPECT_EQ(Found(), "C:\\odd.dll.folder\\qvRuvodaR3.ini");
}

TEST_F(PresetLocationTest, AModulePathWithoutDllOrBackslashIsTakenAsItIs) {
    SetModulePath("C:\\Filters\\module.ax");
    EXPECT_EQ(Found(), "C:\\Filters\\module.ax");
    SetModulePath("qvRuvodaR3.dll");
    EXPECT_EQ(Found(), "qvRuvodaR3.dll");
}

TEST_F(PresetLocationTest, NoRegistryValuesAndNoModuleMeanNoPath) {
    EXPECT_EQ(Found(), "");
    SetValue(key_, "Other", "x");
    EXPECT_EQ(Found(), "");
}

// An unregistered DLL finds the file beside itself; registry values still come first.
TEST_F(PresetLocationTest, WithoutRegistryValuesTheFileLiesBesideTheModule) {
    const HMODULE module = GetModuleHandleA("kernel32.dll");
    char modulePath[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(module, modulePath, MAX_PATH), 0u);
    std::string beside(modulePath);
    beside.replace(beside.rfind('\\') + 1, std::string::npos, "qvRuvodaR3.ini");

    ScriptedMessages messages;
    PresetStore store(module, nullptr, "qv:Reverb", &messages);
    store.Load(key_.c_str(), "qvRuvodaR3.ini");
    EXPECT_STREQ(store.FilePath(), beside.c_str());
    SetModulePath("C:\\Filters\\qvRuvodaR3.dll");
    EXPECT_EQ(Found(module), "C:\\Filters\\qvRuvodaR3.ini");
    SetPluginPath("E:\\Mine");
    EXPECT_EQ(Found(module), "E:\\Mine\\qvRuvodaR3.ini");
}

TEST_F(PresetLocationTest, LoadFindsTheFileThroughPluginPath) {
    TempFolder folder;
    const std::string path = folder.Path("qvRuvodaR3.ini");
    WriteBytes(path, HeaderFor(key_) + SectionText(1, "3", "Found", "", "1,2"));
    const std::string directory = path.substr(0, path.rfind('\\'));
    SetPluginPath(directory);

    ScriptedMessages messages;
    PresetStore store(nullptr, nullptr, "qv:Reverb", &messages);
    store.Load(key_.c_str(), "qvRuvodaR3.ini");
    EXPECT_STREQ(store.FilePath(), path.c_str());
    EXPECT_STREQ(store.ClassKey(), key_.c_str());
    EXPECT_EQ(NamesAndBanks(store), (std::vector<std::string>{"Found|"}));
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
}

}  // namespace
