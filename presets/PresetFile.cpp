// The preset file: an INI file in the platform's profile format, read and written only
// through the profile functions so that everything else in it survives.
#include <windows.h>

#include <string>

#include "PresetFileLocation.h"
#include "PresetSections.h"
#include "PresetStore.h"
#include "StoreText.h"

namespace {
// The file through the platform's profile functions.
class SystemProfileFile : public ProfileFile {
public:
    explicit SystemProfileFile(const char* path) : path_(path) {}
    void ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t size) override {
        GetPrivateProfileStringA(section, key, fallback, buffer, static_cast<DWORD>(size), path_);
    }
    bool WriteString(const char* section, const char* key, const char* value) override {
        return WritePrivateProfileStringA(section, key, value, path_) != FALSE;
    }
    bool DeleteSection(const char* section) override {
        return WritePrivateProfileStringA(section, nullptr, nullptr, path_) != FALSE;
    }

private:
    const char* path_;
};

// The file's class key; empty when the file, its header or the value is missing.
std::string ReadFileClassKey(const char* path) {
    if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return std::string();
    SystemProfileFile file(path);
    return ReadPresetClassKey(file);
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
    SystemProfileFile file(path);
    PresetSection section;
    for (int number = 1; ReadPresetSection(file, number, section); ++number) {
        Preset* preset =
            NewPreset(section.version, section.name, section.bank, section.data, NextId());
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

// Profile writes that fail (a read-only or locked file, a drive that is not there) go
// unreported: the presets stay in memory and the next write tries again.
void PresetStore::WriteAll(const char* classKeyText, const char* path) {
    // Without a path the profile functions would fall back to the system's own INI file.
    if (!HasPath(path)) return;
    SystemProfileFile file(path);
    DeletePresetSections(file);
    WritePresetHeader(file, pluginName_, classKeyText, true);
    for (int i = 0; i < Count(); ++i) {
        const Preset* preset = PresetAt(i);
        if (preset == nullptr) break;
        WritePresetSection(file, i + 1, *preset);
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
    SystemProfileFile file(path);
    WritePresetHeader(file, pluginName_, classKeyText, false);
    if (selection.kind == PresetSelection::kPreset) {
        WritePresetSection(file, 1, *chosen);
    } else if (selection.kind == PresetSelection::kBank) {
        int count = 0;
        for (int i = 0; i < Count(); ++i) {
            const Preset* preset = PresetAt(i);
            if (preset != nullptr && EqualFolded(preset->bank, chosen->bank)) {
                WritePresetSection(file, ++count, *preset);
            }
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
