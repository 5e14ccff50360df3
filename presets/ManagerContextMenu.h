#pragma once
#include <windows.h>

#include "PresetStore.h"

// The context menu of the Preset Manager's tree: the Manager's commands and, for a
// preset, the banks it can move to.
class ManagerContextMenu {
public:
    ManagerContextMenu(PresetStore& store, HWND dialog) : store_(store), dialog_(dialog) {}
    // Shows the menu at a screen point for the tree's selected item and carries out the
    // choice: a move here, any other command through the dialog.
    void Show(POINT screenPoint);

private:
    void AddMoveTargets(HMENU menu, const Preset& preset) const;
    void Choose(int id, Preset* preset);
    // Files the preset under `bank` and shows it selected in the rebuilt tree.
    void Move(Preset& preset, const char* bank);

    PresetStore& store_;
    HWND dialog_;
};
