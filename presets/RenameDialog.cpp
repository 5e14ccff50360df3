#include "RenameDialog.h"

#include <string>

#include "PresetResources.h"
#include "PresetTree.h"
#include "StoreText.h"
#include "WindowUtils.h"

void RenameDialog::Run(HWND owner) {
    selection_ = TreeSelection(store_.TreeWindow());
    ModalDialog::Run(store_.ModuleInstance(), kRenameDialogId, owner);
}

bool RenameDialog::OnInit() {
    CenterWindowOnParent(Window());
    // A bank goes by the name of its first preset's bank.
    const Preset* preset = store_.FindById(selection_.presetId);
    if (preset != nullptr && selection_.kind == PresetSelection::kBank) {
        SetWindowTextA(Window(), FormatText("Rename %s bank", store_.PluginName()).c_str());
        SetDlgItemTextA(Window(), kNameField, preset->bank);
    } else if (preset != nullptr && selection_.kind == PresetSelection::kPreset) {
        SetWindowTextA(Window(), FormatText("Rename %s preset", store_.PluginName()).c_str());
        SetDlgItemTextA(Window(), kNameField, preset->name);
    }
    return true;
}

void RenameDialog::OnCommand(int id) {
    if (id == IDOK) Rename();
    if (id == IDCANCEL) Close(IDCANCEL);
}

void RenameDialog::Rename() {
    Preset* chosen = store_.FindById(selection_.presetId);
    const bool bank = selection_.kind == PresetSelection::kBank;
    if (chosen == nullptr || (!bank && selection_.kind != PresetSelection::kPreset)) return;
    const std::string name = NameText(kNameField);
    if (name.empty()) {
        store_.ShowMessage(Window(),
                           "Unable to rename preset because you did not specify any name.",
                           MB_ICONSTOP | MB_OK);
        return;
    }
    if (bank) {
        const std::string oldBank = chosen->bank;
        for (int i = 0; i < store_.Count(); ++i) {
            Preset* preset = store_.PresetAt(i);
            if (preset != nullptr && EqualFolded(preset->bank, oldBank.c_str())) {
                CopyBounded(preset->bank, sizeof preset->bank, name.c_str());
            }
        }
        RebuildPresetTree(store_);
    } else {
        CopyBounded(chosen->name, sizeof chosen->name, name.c_str());
        RebuildPresetTree(store_);
        SelectPresetItem(store_.TreeWindow(), chosen->id);
    }
    store_.SetModified(true);
    Close(IDOK);
}
