#include "ManagerContextMenu.h"

#include <string>

#include "NewBankDialog.h"
#include "PresetCommands.h"
#include "PresetResources.h"
#include "PresetTree.h"
#include "StoreText.h"

void ManagerContextMenu::Show(POINT screenPoint) {
    HMENU resource = LoadMenuA(store_.ModuleInstance(), MAKEINTRESOURCEA(kManagerMenuId));
    if (resource == nullptr) return;
    HMENU menu = GetSubMenu(resource, 0);
    const PresetSelection selection = TreeSelection(store_.TreeWindow());
    const bool any = store_.HasPresets();
    Preset* preset =
        selection.kind == PresetSelection::kPreset ? store_.FindById(selection.presetId) : nullptr;
    const bool renamable =
        selection.kind == PresetSelection::kPreset || selection.kind == PresetSelection::kBank;
    if (preset == nullptr) EnableMenuItem(menu, kManagerUpdate, MF_BYCOMMAND | MF_GRAYED);
    if (!any || !renamable) EnableMenuItem(menu, kManagerRename, MF_BYCOMMAND | MF_GRAYED);
    if (!any) EnableMenuItem(menu, kManagerDelete, MF_BYCOMMAND | MF_GRAYED);
    if (preset != nullptr) AddMoveTargets(menu, *preset);
    const int chosen = TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screenPoint.x,
                                      screenPoint.y, 0, dialog_, nullptr);
    DestroyMenu(resource);
    Choose(chosen, preset);
}

void ManagerContextMenu::AddMoveTargets(HMENU menu, const Preset& preset) const {
    HMENU targets = CreatePopupMenu();
    if (preset.bank[0] != '\0') AppendMenuA(targets, MF_STRING, kCommandMoveToRoot, "to Root");
    AppendMenuA(targets, MF_STRING, kCommandMoveToNewBank, "to New Bank...");
    bool separated = false;
    // Every other bank once, named by its first preset's id.
    for (int i = 0; i < store_.Count(); ++i) {
        const Preset* other = store_.PresetAt(i);
        if (other == nullptr || other->bank[0] == '\0' || EqualFolded(other->bank, preset.bank) ||
            store_.BankInFirst(i, other->bank)) {
            continue;
        }
        if (!separated) AppendMenuA(targets, MF_SEPARATOR, 0, nullptr);
        separated = true;
        AppendMenuA(targets, MF_STRING, static_cast<UINT_PTR>(other->id), other->bank);
    }
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(targets), "Move Preset");
}

void ManagerContextMenu::Choose(int id, Preset* preset) {
    if (id <= 0) return;
    if (preset != nullptr && id == kCommandMoveToRoot) {
        Move(*preset, "");
    } else if (preset != nullptr && id == kCommandMoveToNewBank) {
        std::string bank;
        if (NewBankDialog(store_).Run(dialog_, *preset, bank)) {
            Move(*preset, bank.c_str());
            SetFocus(store_.TreeWindow());
        }
    } else if (preset != nullptr && id >= kPresetIdBase && id <= store_.LargestId()) {
        if (const Preset* target = store_.FindById(id)) {
            const std::string bank = target->bank;
            Move(*preset, bank.c_str());
        }
    } else {
        SendMessageA(dialog_, WM_COMMAND, static_cast<WPARAM>(id), 0);
    }
}

void ManagerContextMenu::Move(Preset& preset, const char* bank) {
    CopyBounded(preset.bank, sizeof preset.bank, bank);
    store_.SetModified(true);
    RebuildPresetTree(store_);
    SelectPresetItem(store_.TreeWindow(), preset.id);
}
