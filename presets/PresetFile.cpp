// The preset file: an INI file in the platform's profile format, read and written only
// through the profile functions so that everything else in it survives.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "PresetFileLocation.h"
#include "PresetStore.h"
#include "StoreText.h"

namespace {
constexpr char kHeader[] = "Plug-in";
constexpr char kMissing[] = "KEY_NOT_FOUND";

std::string SectionName(int number) { return FormatText("Preset%d", number); }

// Reads a key into a buffer of `size` bytes; false when the key (or its section) is
// missing, or holds the missing marker itself.
bool ReadKey(const std::string& section, const char* key, char* buffer, DWORD size,
             const char* path) {
    GetPrivateProfileStringA(section.c_str(), key, kMissing, buffer, size, path);
    return std::string(buffer) != kMissing;
}

// The file's class key; empty when the file, its header or the value is missing.
std::string ReadFileClassKey(const char* path) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return std::string();
    char classKey[100] = {};
    GetPrivateProfileStringA(kHeader, "CLSID", "", classKey, sizeof classKey, path);
    return classKey;
}

// The leading decimal number of a version text; 0 when there is none.
int32_t ParseVersion(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

bool HasPath(const char* path) { return path != nullptr && path[0] != '\0'; }
}  // namespace

void PresetStore::Load(const char* classKey, const char* fileName, const char* explicitPath) {
    CopyBounded(classKey_, sizeof classKey_, classKey);
    if (explicitPath != nullptr) {
        CopyBounded(filePath_, sizeof filePath_, explicitPath);
    } else {
        CopyBounded(filePath_, sizeof filePath_,
                    FindPresetFilePath(classKey_, fileName, module_).c_str());
    }
    if (!HasPath(filePath_)) return;
    const std::string fileClassKey = ReadFileClassKey(filePath_);
    if (fileClassKey.empty()) return;
    if (!EqualFolded(fileClassKey.c_str(), classKey_)) {
        ShowMessage(nullptr,
                    FormatText("No presets could be loaded because the preset file\n\"%s\"\n"
                               "does not contain preset data compatible with this plug-in.",
                               filePath_)
                        .c_str(),
                    MB_ICONSTOP | MB_OK);
        return;
    }
    ReadPresets(filePath_, false);
    Sort();
}

void PresetStore::ReadPresets(const char* path, bool importMode) {
    if (!HasPath(path)) return;
    for (int number = 1;; ++number) {
        const std::string section = SectionName(number);
        char version[16];
        char name[Preset::kTextField];
        char bank[Preset::kTextField];
        char data[4096];
        if (!ReadKey(section, "Version", version, sizeof version, path) ||
            !ReadKey(section, "Name", name, sizeof name, path) ||
            !ReadKey(section, "Bank", bank, sizeof bank, path) ||
            !ReadKey(section, "Data", data, sizeof data, path)) {
            return;
        }
        Preset* preset = NewPreset(ParseVersion(version), name, bank, data, NextId());
        if (preset == nullptr) continue;
        if (importMode && Exists(*preset)) {
            const std::string question = FormatText(
                "The preset \"%s\" you are importing already exists in the %s preset list.\n"
                "Do you want to add it anyway?",
                preset->name, pluginName_);
            if (ShowMessage(manager_, question.c_str(), MB_ICONQUESTION | MB_YESNO) != IDYES) {
                FreePreset(preset);
                continue;
            }
        }
        Append(preset);
    }
}

bool PresetStore::Import(const char* path) {
    if (!HasPath(path) || classKey_[0] == '\0') return false;
    const std::string fileClassKey = ReadFileClassKey(path);
    if (!fileClassKey.empty() && (EqualFolded(fileClassKey.c_str(), classKey_) ||
                                  EqualFolded(fileClassKey.c_str(), alternateClassKey_))) {
        ReadPresets(path, true);
        return true;
    }
    ShowMessage(manager_,
                fileClassKey.empty()
                    ? "The file you selected does not contain Quillorn Veltria:qv plug-in preset data."
                    : "The preset file you are trying to import does not contain data for this "
                      "plug-in.",
                MB_ICONSTOP | MB_OK);
    return false;
}

void PresetStore::DeleteConsecutiveSections(const char* path) const {
    for (int number = 1;; ++number) {
        const std::string section = SectionName(number);
        char version[16];
        if (!ReadKey(section, "Version", version, sizeof version, path)) return;
        WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path);
    }
}

void PresetStore::WriteHeader(const char* classKeyText, const char* path,
                              bool withDefault) const {
    WritePrivateProfileStringA(kHeader, "PluginName", pluginName_, path);
    WritePrivateProfileStringA(kHeader, "CLSID", classKeyText != nullptr ? classKeyText : "",
                               path);
    if (withDefault) WritePrivateProfileStringA(kHeader, "DefaultPreset", "1", path);
}

void PresetStore::WriteSection(int number, const Preset& preset, const char* path) const {
    const std::string section = SectionName(number);
    WritePrivateProfileStringA(section.c_str(), "Version",
                               FormatText("%d", static_cast<int>(preset.version)).c_str(), path);
    WritePrivateProfileStringA(section.c_str(), "Name", preset.name, path);
    WritePrivateProfileStringA(section.c_str(), "Bank", preset.bank, path);
    WritePrivateProfileStringA(section.c_str(), "Data", preset.data, path);
}

void PresetStore::WriteAll(const char* classKeyText, const char* path) {
    // Without a path the profile functions would fall back to the system's own INI file.
    if (!HasPath(path)) return;
    DeleteConsecutiveSections(path);
    WriteHeader(classKeyText, path, true);
    for (int i = 0; i < Count(); ++i) {
        const Preset* preset = PresetAt(i);
        if (preset == nullptr) break;
        WriteSection(i + 1, *preset, path);
    }
}

void PresetStore::ExportSelection(const PresetSelection& selection, const char* classKeyText,
                                  const char* path) {
    if (!HasPath(path)) return;
    if (selection.kind == PresetSelection::kAll) {
        WriteAll(classKeyText, path);
        return;
    }
    const Preset* chosen = FindById(selection.presetId);
    if (chosen == nullptr) return;
    WriteHeader(classKeyText, path, false);
    if (selection.kind == PresetSelection::kPreset) {
        WriteSection(1, *chosen, path);
        return;
    }
    if (selection.kind != PresetSelection::kBank) return;
    int written = 0;
    for (int i = 0; i < Count(); ++i) {
        const Preset* preset = PresetAt(i);
        if (preset != nullptr && EqualFolded(preset->bank, chosen->bank)) {
            WriteSection(++written, *preset, path);
        }
    }
}

std::string PresetStore::SuggestedExportName(const PresetSelection& selection) const {
    std::string suggestion;
    if (selection.kind == PresetSelection::kAll) {
        suggestion = pluginName_;
    } else {
        const Preset* chosen = FindById(selection.presetId);
        if (chosen == nullptr || selection.kind == PresetSelection::kNone) return std::string();
        suggestion = selection.kind == PresetSelection::kBank ? chosen->bank : chosen->name;
    }
    suggestion += ".ini";
    for (char& c : suggestion) {
        if (std::string(" *?<>:\\\"/|\t\r\n").find(c) != std::string::npos) c = '_';
    }
    return suggestion;
}
