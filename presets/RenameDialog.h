#pragma once
#include <windows.h>

#include "ModalDialog.h"
#include "PresetSelection.h"
#include "PresetStore.h"

// Renames the preset or the bank selected in the Preset Manager's tree.
class RenameDialog : public ModalDialog {
public:
    explicit RenameDialog(PresetStore& store) : store_(store) {}
    void Run(HWND owner);

private:
    bool OnInit() override;
    void OnCommand(int id) override;
    void Rename();

    PresetStore& store_;
    PresetSelection selection_;
};
