#include "NewBankDialog.h"

#include "PresetResources.h"
#include "StoreText.h"
#include "WindowUtils.h"

bool NewBankDialog::Run(HWND owner, const Preset& preset, std::string& bank) {
    preset_ = &preset;
    if (ModalDialog::Run(store_.ModuleInstance(), kNewBankDialogId, owner) != IDOK) return false;
    bank = bank_;
    return true;
}

bool NewBankDialog::OnInit() {
    SetWindowTextA(Window(), FormatText("Move preset \"%s\" to new bank", preset_->name).c_str());
    CenterWindowOnParent(Window());
    return true;
}

void NewBankDialog::OnCommand(int id) {
    if (id == IDCANCEL) Close(IDCANCEL);
    if (id != IDOK) return;
    bank_ = NameText(kBankField);
    if (bank_.empty()) {
        store_.ShowMessage(Window(),
                           "Unable to move preset to new bank because no bank name was specified.",
                           MB_ICONSTOP | MB_OK);
        return;
    }
    Close(IDOK);
}
