#include "PresetTestSupport.h"

#include <cstdio>

#include "ClassKey.h"
#include "qvRuvodaR3.h"

int ScriptedMessages::Show(HWND owner, const char* text, const char* caption, UINT flags) {
    EXPECT_STREQ(caption, "qv:Reverb Preset Manager") << text;
    shown.push_back({owner, text, flags});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedMessages::Expect(const std::vector<std::string>& texts, UINT flags, HWND owner) {
    std::vector<std::string> seen;
    for (const Shown& message : shown) {
        seen.push_back(message.text);
        EXPECT_EQ(message.flags, flags) << message.text;
        EXPECT_EQ(message.owner, owner) << message.text;
    }
    EXPECT_EQ(seen, texts);
    shown.clear();
}

std::string WindowsPath(std::string unixPath) {
    for (char& c : unixPath) {
        if (c == '/') c = '\\';
    }
    return "Z:" + unixPath;
}

TempFolder::TempFolder() {
    const std::string base = WindowsPath(PRESETS_TEST_DIR);
    CreateDirectoryA(base.c_str(), nullptr);
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = base + "\\" + test->test_suite_name() + "." + test->name();
    CreateDirectoryA(folder_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Path("*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            DeleteFileA(Path(found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder_.c_str());
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
    std::fclose(file);
    return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    ASSERT_NE(file, nullptr) << path;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::string OwnClassKey() { return ClassKeyPath(CLSID_RuvodaR3); }
std::string PluginClassKey() { return ClassKeyPath(CLSID_RuvodaR3Plugin); }

std::string HeaderFor(const std::string& classKey) {
    return "[Plug-in]\r\nPluginName=qv:Reverb\r\nCLSID=" + classKey + "\r\n";
}

std::string SectionText(int number, const char* version, const char* name, const char* bank,
                        const char* data) {
    return "[Preset" + std::to_string(number) + "]\r\nVersion=" + version + "\r\nName=" + name +
           "\r\nBank=" + bank + "\r\nData=" + data + "\r\n";
}

Preset* AddPreset(PresetStore& store, const char* name, const char* bank, const char* data) {
    Preset* preset = NewPreset(kCurrentPresetVersion, name, bank, data, store.NextId());
    EXPECT_TRUE(store.Append(preset));
    return preset;
}

std::vector<std::string> NamesAndBanks(const PresetStore& store) {
    std::vector<std::string> result;
    for (int i = 0; i < store.Count(); ++i) {
        result.push_back(std::string(store.PresetAt(i)->name) + "|" + store.PresetAt(i)->bank);
    }
    return result;
}
