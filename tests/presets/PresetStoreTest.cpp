#include <cstring>

#include "PresetTestSupport.h"

namespace {

using PresetStoreTest = PresetTest;

TEST_F(PresetStoreTest, IdsFollowTheLargestIdAndStepOverTheMenuCommands) {
    for (int i = 0; i < 3; ++i) AddPreset(store, "p", "");
    EXPECT_EQ(store.IdAt(2), 3503);
    store.DeleteAt(store.IndexOfId(3503));
    EXPECT_EQ(AddPreset(store, "again", "")->id, 3503);
    store.DeleteAt(store.IndexOfId(3502));
    EXPECT_EQ(AddPreset(store, "after a gap", "")->id, 3504);
    EXPECT_STREQ(store.NameById(3504), "after a gap");

    // Lookups outside the list find nothing.
    EXPECT_EQ(store.IdAt(store.Count()), -1);
    EXPECT_EQ(store.IdAt(-1), -1);
    EXPECT_EQ(store.NameById(3502), nullptr);
    EXPECT_EQ(store.IndexOfId(3502), -1);

    // A preset id must never be taken for one of the menus' own commands.
    const int32_t largestAndNext[][2] = {{4999, 5002}, {10499, 10502}, {10502, 10503}};
    for (const auto& ids : largestAndNext) {
        store.PresetAt(0)->id = ids[0];
        EXPECT_EQ(store.NextId(), ids[1]) << ids[0];
    }
}

TEST_F(PresetStoreTest, SortOrdersByBankThenNameKeepingEqualKeysInPlace) {
    // "name|bank" added in this order, then the expected order. No bank sorts last, an empty
    // name last in its bank, "_" before letters, case is ignored; several passes are needed.
    struct Case {
        std::vector<std::string> added, sorted;
    };
    const Case cases[] = {
        {{"Zeta|Alpha", "Beta|", "alpha|alpha"}, {"alpha|alpha", "Zeta|Alpha", "Beta|"}},
        {{"|Halls", "b|Halls", "_a|Halls", "z|_Bank", "|", "Y|"},
         {"z|_Bank", "_a|Halls", "b|Halls", "|Halls", "Y|", "|"}},
        {{"Same|Bank", "e|", "SAME|bank", "d|", "c|B", "a|A"},
         {"a|A", "c|B", "Same|Bank", "SAME|bank", "d|", "e|"}},
    };
    for (const Case& c : cases) {
        PresetStore sorted(nullptr, nullptr, "qv:Reverb", &messages);
        for (const std::string& entry : c.added) {
            const size_t bar = entry.find('|');
            AddPreset(sorted, entry.substr(0, bar).c_str(), entry.substr(bar + 1).c_str());
        }
        sorted.Sort();
        EXPECT_EQ(NamesAndBanks(sorted), c.sorted) << c.added.front();
    }
}

// Answers file dialogs with `result` and records where each starts ("-": anywhere).
class ScriptedFileDialogs : public FileDialogs {
public:
    Result Show(const Request& request, std::string&) override {
        asked.push_back(std::string(request.save ? "save " : "open ") +
                        (request.initialDirectory != nullptr ? request.initialDirectory : "-"));
        return result;
    }

    Result result = kCancelled;
    std::vector<std::string> asked;
};

TEST_F(PresetStoreTest, FileDialogsStartInThePresetFolderUntilConfirmedOnceAndFailuresShow) {
    ScriptedFileDialogs dialogs;
    PresetStore withDialogs(nullptr, nullptr, "qv:Reverb", &messages, &dialogs);
    const HWND manager = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4321));
    withDialogs.SetManagerWindow(manager);
    withDialogs.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", "C:\\Presets\\Mine\\qvRuvodaR3.ini");
    struct Case {
        bool save;
        FileDialogs::Result result;
        const char* asked;
    };
    const Case cases[] = {
        {false, FileDialogs::kCancelled, "open C:\\Presets\\Mine\\"},
        {true, FileDialogs::kFailed, "save C:\\Presets\\Mine\\"},
        {false, FileDialogs::kChosen, "open C:\\Presets\\Mine\\"},
        {false, FileDialogs::kChosen, "open -"},
        {true, FileDialogs::kChosen, "save C:\\Presets\\Mine\\"},
        {true, FileDialogs::kCancelled, "save -"},
    };
    for (const Case& c : cases) {
        dialogs.result = c.result;
        std::string path = "x.ini";
        EXPECT_EQ(withDialogs.ChoosePresetFile(c.save, "Export preset", path),
                  c.result == FileDialogs::kChosen) << c.asked;
        EXPECT_EQ(dialogs.asked.back(), c.asked);
    }
    messages.Expect({"Unable to open file dialog."}, MB_ICONSTOP | MB_OK, manager);
}

// A registry value: its type (0: no such value) and bytes.
struct Value {
    DWORD type;
    std::string bytes;
};
Value Text(const char* text, DWORD type = REG_SZ) {
    return {type, std::string(text, std::strlen(text) + 1)};
}

// A class key of its own per process, removed again after each test.
class PresetLocationTest : public PresetTest {
protected:
    ~PresetLocationTest() override { RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str()); }

    void Set(const std::string& subKey, const char* name, const Value& value) {
        HKEY opened = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                  nullptr, &opened, nullptr),
                  ERROR_SUCCESS);
        if (value.type != 0) {
            const auto* bytes = reinterpret_cast<const BYTE*>(value.bytes.data());
            RegSetValueExA(opened, name, 0, value.type, bytes, static_cast<DWORD>(value.bytes.size()));
        }
        RegCloseKey(opened);
    }

    const std::string key = "SOFTWARE\\Classes\\CLSID\\{7A3E1CFF-0000-4000-8000-" +
                            std::to_string(1000000000000ull + GetCurrentProcessId()) + "}";
};

// Where a store of a module finds its preset file.
TEST_F(PresetLocationTest, PluginPathThenTheRegisteredModuleThenTheLoadedModule) {
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    char modulePath[MAX_PATH] = {};
    ASSERT_NE(GetModuleFileNameA(kernel, modulePath, MAX_PATH), 0u);
    std::string besideKernel(modulePath);
    besideKernel.replace(besideKernel.rfind('\\') + 1, std::string::npos, "qvRuvodaR3.ini");
    const Value none = {0, ""}, empty = Text(""), number = {REG_DWORD, std::string("\x07\0\0\0", 4)};
    struct Case {
        Value pluginPath, modulePath;
        HMODULE loaded;
        std::string expected;
    };
    const Case cases[] = {
        {Text("D:\\Presets"), none, nullptr, "D:\\Presets\\qvRuvodaR3.ini"},
        {Text("D:\\Presets\\"), none, nullptr, "D:\\Presets\\qvRuvodaR3.ini"},
        {Text("E:\\Mine"), Text("C:\\Filters\\qvRuvodaR3.dll"), kernel, "E:\\Mine\\qvRuvodaR3.ini"},
        {none, Text("C:\\Program Files\\Quillorn\\qvRuvodaR3.DLL"), nullptr,
         "C:\\Program Files\\Quillorn\\qvRuvodaR3.ini"},
        {none, Text("C:\\odd.dll.folder\\module.ax"), nullptr, "C:\\odd.dll.folder\\qvRuvodaR3.ini"},
        {none, Text("C:\\Filters\\qvRuvodaR3.dll", REG_EXPAND_SZ), kernel,
         "C:\\Filters\\qvRuvodaR3.ini"},
        // Without ".dll" or a backslash the path is taken as it is.
        {none, Text("C:\\Filters\\module.ax"), nullptr, "C:\\Filters\\module.ax"},
        {none, Text("qvRuvodaR3.dll"), nullptr, "qvRuvodaR3.dll"},
        {none, none, kernel, besideKernel},
        // Empty values and values of other types count as missing.
        {empty, none, kernel, besideKernel},
        {Text("D:\\Presets", REG_BINARY), empty, kernel, besideKernel},
        {number, Text("C:\\Filters\\x.dll"), kernel, "C:\\Filters\\qvRuvodaR3.ini"},
        {none, none, nullptr, ""},
    };
    for (const Case& c : cases) {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
        Set(key, "Other", Text("x"));
        Set(key, "PluginPath", c.pluginPath);
        Set(key + "\\InprocServer32", nullptr, c.modulePath);
        PresetStore ofModule(c.loaded, nullptr, "qv:Reverb", &messages);
        ofModule.Load(key.c_str(), "qvRuvodaR3.ini");
        EXPECT_EQ(ofModule.FilePath(), c.expected)
            << c.pluginPath.bytes << " " << c.modulePath.bytes << " " << c.loaded;
    }

    // Without any path the preset must not go to the system's own INI file.
    store.Load(key.c_str(), "qvRuvodaR3.ini");
    AddPreset(store, "x", "");
    store.WriteAll(store.ClassKey(), store.FilePath());
    char probe[32];
    GetProfileStringA("Preset1", "Name", "absent", probe, sizeof probe);
    EXPECT_STREQ(probe, "absent");
    EXPECT_TRUE(messages.shown.empty());
}

}  // namespace
