#include "AddPresetDialog.h"

#include "EditorSettings.h"
#include "PresetResources.h"
#include "PresetTree.h"
#include "StoreText.h"
#include "WindowUtils.h"

void AddPresetDialog::Run(HWND owner) {
    ModalDialog::Run(store_.ModuleInstance(), kAddPresetDialogId, owner);
}

bool AddPresetDialog::OnInit() {
    SetWindowTextA(Window(), FormatText("Add %s preset", store_.PluginName()).c_str());
    CenterWindowOnParent(Window());
    HWND banks = Item(kBankField);
    SendMessageA(banks, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < store_.Count(); ++i) {
        const Preset* preset = store_.PresetAt(i);
        if (preset != nullptr && preset->bank[0] != '\0' && !store_.BankInFirst(i, preset->bank)) {
            SendMessageA(banks, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(preset->bank));
        }
    }
    SetFocus(Item(kNameField));
    return false;
}

void AddPresetDialog::OnCommand(int id) {
    if (id == IDOK) Add();
    if (id == IDCANCEL) Close(IDCANCEL);
}

void AddPresetDialog::Add() {
    const std::string name = NameText(kNameField);
    if (name.empty()) {
        store_.ShowMessage(Window(), "Unable to add preset because no name was specified.",
                           MB_ICONSTOP | MB_OK);
        return;
    }
    const std::string bank = NameText(kBankField);
    Preset* preset =
        NewPreset(kCurrentPresetVersion, name.c_str(), bank.c_str(), "", store_.NextId());
    if (preset == nullptr) return;
    TakeEditorSettings(store_.EditorWindow(), *preset);
    const int32_t id = preset->id;
    if (!store_.Append(preset)) return;
    if (store_.TreeWindow() != nullptr) {
        RebuildPresetTree(store_);
        SelectPresetItem(store_.TreeWindow(), id);
    }
    store_.SetCurrentId(id);
    store_.SetModified(true);
    Close(IDOK);
}
