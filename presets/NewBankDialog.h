#pragma once
#include <windows.h>

#include <string>

#include "ModalDialog.h"
#include "PresetStore.h"

// Asks for the name of the bank to which the Preset Manager moves a preset.
class NewBankDialog : public ModalDialog {
public:
    explicit NewBankDialog(PresetStore& store) : store_(store) {}
    // True with the typed name when the user chose Create.
    bool Run(HWND owner, const Preset& preset, std::string& bank);

private:
    bool OnInit() override;
    void OnCommand(int id) override;

    PresetStore& store_;
    const Preset* preset_ = nullptr;
    std::string bank_;
};
