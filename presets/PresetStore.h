#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "FileDialogs.h"
#include "MessageSink.h"
#include "Preset.h"
#include "PresetList.h"
#include "PresetSelection.h"

// Sent to the editor window whenever a preset is to take the editor's current settings.
// wParam: address of the preset's data pointer (char**), lParam: 0. The editor stores there
// a text from CopyPresetData holding its 18 current values; the preset owns it from then
// on. The sender has freed the previous text.
constexpr UINT MSG_GET_PRESET_DATA = 10900;

// Ids handed to presets start above this value.
constexpr int32_t kPresetIdBase = 3500;

// The plug-in's named presets: the active list (what the menu shows and the file
// receives), a spare list serving as the Preset Manager's backup, and the preset file.
class PresetStore {
public:
    // module: the module holding the dialogs' resources, beside which the preset file lies
    // when the registry names no place for it (may be null: then nowhere).
    // pluginName may be null: the plug-in name is then empty and the title generic.
    // messages and fileDialogs default to the platform's own.
    PresetStore(HINSTANCE module, HWND editor, const char* pluginName,
                MessageSink* messages = nullptr, FileDialogs* fileDialogs = nullptr);
    ~PresetStore();
    PresetStore(const PresetStore&) = delete;
    PresetStore& operator=(const PresetStore&) = delete;

    void SetAlternateClassKey(const char* keyPath);

    int Count() const;
    bool HasPresets() const { return Count() != 0; }
    Preset* PresetAt(int index) const;
    int32_t IdAt(int index) const;  // -1 outside the list or for an empty slot
    Preset* FindById(int32_t id) const;
    int IndexOfId(int32_t id) const;  // -1 when absent
    const char* NameById(int32_t id) const;
    int32_t LargestId() const;  // kPresetIdBase when no id is larger
    // Largest id + 1, stepping over the menus' own command identifiers.
    int32_t NextId() const;
    int32_t CurrentId() const { return currentId_; }
    void SetCurrentId(int32_t id) { currentId_ = id; }

    // Same name, bank and data text as some active preset, each case-insensitively.
    bool Exists(const Preset& preset) const;
    // One of the first n presets carries `bank` (case-insensitively); false for n < 1 or
    // no name.
    bool BankInFirst(int n, const char* bank) const;

    // Takes ownership; the preset is freed (and false returned) when the list cannot grow.
    bool Append(Preset* preset);
    // Removes and frees the preset at `index`.
    void DeleteAt(int index);

    // Canonical order: by bank (no bank last), then by name (no name last), stable.
    void Sort();

    // The Manager works on copies so that it can cancel: MakeBackup makes the copies active
    // and keeps the original records aside; RestoreBackup brings them back.
    bool MakeBackup();
    void RestoreBackup();

    // The preset file (implemented in PresetFile.cpp).
    void Load(const char* classKey, const char* fileName, const char* explicitPath = nullptr);
    void ReadPresets(const char* path, bool importMode);
    bool Import(const char* path);
    void WriteAll(const char* classKeyText, const char* path);
    void ExportSelection(const PresetSelection& selection, const char* classKeyText,
                         const char* path);
    // "<plug-in, bank or preset name>.ini" with characters unfit for file names replaced
    // by "_"; empty when the selection names no preset.
    std::string SuggestedExportName(const PresetSelection& selection) const;

    // The Import (open) or Export (save) file dialog, owned by the Manager. `path` holds
    // the suggestion on entry; true with the chosen path when the user confirmed. Shows
    // "Unable to open file dialog." when the platform cannot show it.
    bool ChoosePresetFile(bool save, const char* title, std::string& path);

    // A message box with the store's title as its caption.
    int ShowMessage(HWND owner, const char* text, UINT flags) const;

    const char* FilePath() const { return filePath_; }
    const char* PluginName() const { return pluginName_; }
    const char* ClassKey() const { return classKey_; }
    const char* AlternateClassKey() const { return alternateClassKey_; }
    const char* Title() const { return title_; }

    HINSTANCE ModuleInstance() const { return module_; }
    HWND EditorWindow() const { return editor_; }
    HWND ManagerWindow() const { return manager_; }
    void SetManagerWindow(HWND window) { manager_ = window; }
    HWND TreeWindow() const { return tree_; }
    void SetTreeWindow(HWND window) { tree_ = window; }

    bool IsModified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }
    int OpenDialogsConfirmed() const { return openDialogs_; }
    int SaveDialogsConfirmed() const { return saveDialogs_; }

private:
    static void FreeAll(PresetList* list);

    PresetList* active_;
    PresetList* spare_;  // null when it could not be created
    char filePath_[MAX_PATH] = {};
    char pluginName_[128] = {};
    char classKey_[128] = {};
    char alternateClassKey_[128] = {};
    char title_[256] = {};
    HWND manager_ = nullptr;
    HWND editor_;
    HWND tree_ = nullptr;
    HINSTANCE module_;
    int32_t currentId_ = -1;
    bool modified_ = false;
    int openDialogs_ = 0;
    int saveDialogs_ = 0;
    MessageSink& messages_;
    FileDialogs& fileDialogs_;
};
