// The Presets button's menu and the bottom strip's context menu: the store builds and
// answers them; the editor applies what a chosen preset hands back.
#include "EditorIds.h"
#include "PresetCommands.h"
#include "PresetStore.h"
#include "PresetsMenu.h"
#include "ReverbEditor.h"
#include "SkinProtocol.h"

namespace {

constexpr int kBannerTop = 417;  // the strip with the product banner

}  // namespace

void ReverbEditor::ShowPresetsMenu() {
    HMENU menu = presetStore_ ? CreatePopupMenu() : nullptr;
    if (menu) {
        AppendMenuA(menu, MF_STRING, kCommandAddPreset, "Add Preset...");
        AppendMenuA(menu, MF_STRING, kCommandPresetManager, "Preset Manager...");
        BuildPresetsMenu(*presetStore_, menu);
        int chosen = static_cast<int>(TrackButtonMenu(menu, kPresetsButton));
        if (chosen == kCommandPresetManager) chosen = ShowPresetManager(*presetStore_);
        else if (chosen == kCommandAddPreset) AddPresetFromMenu(*presetStore_);
        if (chosen > 0) {
            int version = kCurrentPresetVersion;
            if (const char* text = PresetsMenuCommand(*presetStore_, chosen, &version)) ApplyPresetText(text, version);
        }
        DestroyMenu(menu);
    }
    SendDlgItemMessageA(Window(), kPresetsButton, QVBM_CANCELPRESS, 0, 0);
}

bool ReverbEditor::OnRightButtonDown(LPARAM position) {
    const POINT at = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (at.y < kBannerTop) return false;
    POINT screen = at;
    ClientToScreen(Window(), &screen);
    EditorContextMenu(Window(), screen);
    return true;
}
