#pragma once
#include <windows.h>

#include "ModalDialog.h"
#include "PresetStore.h"

// Asks for a name and a bank and adds a preset holding the editor's current settings.
// The new preset becomes the current one; an open Preset Manager shows it selected.
class AddPresetDialog : public ModalDialog {
public:
    explicit AddPresetDialog(PresetStore& store) : store_(store) {}
    void Run(HWND owner);

private:
    bool OnInit() override;
    void OnCommand(int id) override;
    void Add();

    PresetStore& store_;
};
