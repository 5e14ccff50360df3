// What the preset file survives: registry values that are empty or of the wrong type, a
// file that cannot be written when the store saves (a clear message, every preset kept in
// memory), and names that the profile functions would change on the way back.
#include <gtest/gtest.h>

#include <string>

#include "PresetFileLocation.h"
#include "PresetTestSupport.h"

namespace {

const char kData[] = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0";

// A class key of its own per process, removed again afterwards.
struct ScratchClassKey {
    std::string path = "SOFTWARE\\Classes\\CLSID\\{7A3E1CFF-0000-4000-8001-" +
                       std::to_string(1000000000000ull + GetCurrentProcessId()) + "}";
    ~ScratchClassKey() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str()); }

    void Set(const std::string& subKey, const char* name, DWORD type, const std::string& bytes) {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
};

TEST(PresetFileFaults, EmptyOrWrongTypedRegistryValuesCountAsMissing) {
    const std::string number("\x07\0\0\0", 4);
    struct Case {
        const char* name;
        DWORD pluginType;  // 0: no PluginPath value
        std::string pluginBytes;
        DWORD moduleType;  // 0: no module path value
        std::string moduleBytes;
        const char* folder;  // where the file must be; null: beside the running module
    } cases[] = {
        {"empty folder", REG_SZ, std::string("", 1), 0, "", nullptr},
        {"folder as a number", REG_DWORD, number, 0, "", nullptr},
        {"folder as binary", REG_BINARY, "D:\\Presets", 0, "", nullptr},
        {"empty module path", 0, "", REG_SZ, std::string("", 1), nullptr},
        {"module path as a number", 0, "", REG_DWORD, number, nullptr},
        {"empty folder, module path", REG_SZ, std::string("", 1), REG_SZ,
         std::string("C:\\Filters\\x.dll", 17), "C:\\Filters\\"},
        {"bad folder, module path", REG_DWORD, number, REG_EXPAND_SZ,
         std::string("C:\\Filters\\x.dll", 17), "C:\\Filters\\"},
    };
    const HMODULE module = GetModuleHandleA(nullptr);
    char modulePath[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(module, modulePath, MAX_PATH), 0u);
    std::string beside(modulePath);
    beside.erase(beside.rfind('\\') + 1);

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchClassKey key;
        if (c.pluginType != 0) key.Set(key.path, "PluginPath", c.pluginType, c.pluginBytes);
        if (c.moduleType != 0)
            key.Set(key.path + "\\InprocServer32", nullptr, c.moduleType, c.moduleBytes);
        EXPECT_EQ(FindPresetFilePath(key.path.c_str(), "qvRuvodaR3.ini", module),
                  std::string(c.folder != nullptr ? c.folder : beside.c_str()) +
                      "qvRuvodaR3.ini");
    }
}

// The first drive letter from Q: on that names no drive.
std::string MissingDrive() {
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if (!(drives & (1u << (letter - 'A')))) return std::string(1, letter) + ":";
    }
    return std::string();
}

class PresetFileFaultsTest : public ::testing::Test {
protected:
    // A store with two presets loaded from its file.
    void LoadTwo() {
        WriteBytes(path, HeaderFor(OwnClassKey()) + SectionText(1, "3", "One", "A", kData) +
                             SectionText(2, "3", "Two", "", kData));
        store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", path.c_str());
        ASSERT_EQ(store.Count(), 2);
    }

    TempFolder folder;
    std::string path = folder.Path("qvRuvodaR3.ini");
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};

// Whether the platform refuses to open `path` for writing (a read-only attribute does not
// stop a process that runs as root under Wine).
bool WritingRefused(const std::string& path) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() != ERROR_FILE_NOT_FOUND;
    CloseHandle(file);
    return false;
}

TEST_F(PresetFileFaultsTest, AFileThatCannotBeWrittenLosesNoPresetAndSaysNothing) {
    struct Case {
        const char* name;
        bool refusedEverywhere;
        // Makes the file unwritable; returns the path to write.
        std::string (*fault)(const std::string& path, HANDLE& held);
    } cases[] = {
        {"read-only", false,
         [](const std::string& p, HANDLE&) {
             SetFileAttributesA(p.c_str(), FILE_ATTRIBUTE_READONLY);
             return p;
         }},
        {"locked", true,
         [](const std::string& p, HANDLE& held) {
             held = CreateFileA(p.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
             return p;
         }},
        {"on a missing drive", true,
         [](const std::string&, HANDLE&) { return MissingDrive() + "\\Presets\\x.ini"; }},
        {"in a missing folder", true,
         [](const std::string& p, HANDLE&) { return p + ".gone\\x.ini"; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoadTwo();
        HANDLE held = INVALID_HANDLE_VALUE;
        const std::string target = c.fault(path, held);
        const bool refused = WritingRefused(target);
        if (c.refusedEverywhere) {
            EXPECT_TRUE(refused);
        }
        AddPreset(store, "Three", "A", kData);
        messages.shown.clear();

        store.WriteAll(OwnClassKey().c_str(), target.c_str());
        const std::vector<std::string> all{"One|A", "Two|", "Three|A"};
        EXPECT_EQ(NamesAndBanks(store), all);
        if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_TRUE(messages.shown.empty());
        if (!refused) {
            PresetStore reread(nullptr, nullptr, "qv:Reverb", &messages);
            reread.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", target.c_str());
            EXPECT_EQ(NamesAndBanks(reread),
                      (std::vector<std::string>{"One|A", "Three|A", "Two|"}));  // sorted
        }
        while (store.Count() > 0) store.DeleteAt(0);
    }
}

TEST_F(PresetFileFaultsTest, AFileDeletedAfterLoadingIsWrittenAnewWithEveryPreset) {
    LoadTwo();
    ASSERT_TRUE(DeleteFileA(path.c_str()));
    store.WriteAll(OwnClassKey().c_str(), path.c_str());
    EXPECT_TRUE(messages.shown.empty());
    PresetStore reread(nullptr, nullptr, "qv:Reverb", &messages);
    reread.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", path.c_str());
    EXPECT_EQ(NamesAndBanks(reread), NamesAndBanks(store));
}

TEST_F(PresetFileFaultsTest, NamesComeBackAsTheyWereWritten) {
    const char* const names[] = {" leading", "trailing ", "\t tabs \t", "\"quoted\"",
                                 "'single'", "\"", "'x\"", "a = b", "[Preset1]", ";note"};
    for (const char* name : names) AddPreset(store, name, name, kData);
    store.WriteAll(OwnClassKey().c_str(), path.c_str());
    PresetStore reread(nullptr, nullptr, "qv:Reverb", &messages);
    reread.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", path.c_str());
    store.Sort();
    EXPECT_EQ(NamesAndBanks(reread), NamesAndBanks(store));
}

}  // namespace
