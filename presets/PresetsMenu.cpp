#include "PresetsMenu.h"

#include <cstring>
#include <string>

#include "AddPresetDialog.h"
#include "EditorSettings.h"
#include "PresetCommands.h"
#include "PresetManagerDialog.h"
#include "StoreText.h"

namespace {
// The submenu titled exactly `bank`, or null.
HMENU FindBankMenu(HMENU menu, const char* bank) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        HMENU submenu = GetSubMenu(menu, position);
        if (submenu == nullptr) continue;
        char title[Preset::kTextField] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), title, sizeof title, MF_BYPOSITION);
        if (std::strcmp(title, bank) == 0) return submenu;
    }
    return nullptr;
}

void WriteStore(PresetStore& store) { store.WriteAll(store.ClassKey(), store.FilePath()); }
}  // namespace

void BuildPresetsMenu(PresetStore& store, HMENU menu) {
    if (const Preset* current =
            store.CurrentId() != -1 ? store.FindById(store.CurrentId()) : nullptr) {
        const std::string update = FormatText("Update Preset: %s...", current->name);
        InsertMenuA(menu, 1, MF_BYPOSITION | MF_STRING, kCommandUpdatePreset, update.c_str());
    }
    if (store.HasPresets()) AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (int i = 0; i < store.Count(); ++i) {
        const Preset* preset = store.PresetAt(i);
        if (preset == nullptr) continue;
        HMENU owner = menu;
        if (preset->bank[0] != '\0') {
            owner = FindBankMenu(menu, preset->bank);
            if (owner == nullptr) {
                owner = CreatePopupMenu();
                AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(owner), preset->bank);
            }
        }
        AppendMenuA(owner, MF_STRING, static_cast<UINT_PTR>(preset->id), preset->name);
        if (preset->id == store.CurrentId()) {
            CheckMenuRadioItem(owner, preset->id, preset->id, preset->id, MF_BYCOMMAND);
        }
    }
}

const char* PresetsMenuCommand(PresetStore& store, int id, int* version) {
    if (id == kCommandUpdatePreset) {
        Preset* current = store.FindById(store.CurrentId());
        if (current != nullptr && AskAndUpdatePreset(store, store.EditorWindow(), *current)) {
            store.Sort();
            WriteStore(store);
        }
        return nullptr;
    }
    const Preset* preset = store.FindById(id);
    if (preset == nullptr) return nullptr;
    store.SetCurrentId(id);
    if (version != nullptr) *version = preset->version;
    return preset->data;
}

void AddPresetFromMenu(PresetStore& store) {
    AddPresetDialog(store).Run(store.EditorWindow());
    store.Sort();
    WriteStore(store);
}

int ShowPresetManager(PresetStore& store) {
    if (store.ManagerWindow() != nullptr) return 0;
    store.SetModified(false);
    return PresetManagerDialog(store).Run();
}

const char* RunPresetsMenu(PresetStore& store, const std::function<int(HMENU)>& show, int* version) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    AppendMenuA(menu, MF_STRING, kCommandAddPreset, "Add Preset...");
    AppendMenuA(menu, MF_STRING, kCommandPresetManager, "Preset Manager...");
    BuildPresetsMenu(store, menu);
    int chosen = show(menu);
    DestroyMenu(menu);
    if (chosen == kCommandPresetManager) chosen = ShowPresetManager(store);
    else if (chosen == kCommandAddPreset) AddPresetFromMenu(store);
    return chosen > 0 ? PresetsMenuCommand(store, chosen, version) : nullptr;
}
