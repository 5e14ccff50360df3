// The Presets button's menu and the bottom strip's context menu: the store builds and
// answers them; the editor applies what a chosen preset hands back.
#include "EditorIds.h"
#include "PresetStore.h"
#include "PresetsMenu.h"
#include "ReverbEditor.h"
#include "SkinProtocol.h"

namespace {

constexpr int kBannerTop = 417;  // the strip with the product banner

}  // namespace

void ReverbEditor::ShowPresetsMenu() {
    if (presetStore_) {
        int version = kCurrentPresetVersion;
        const auto show = [this](HMENU menu) { return static_cast<int>(TrackButtonMenu(menu, kPresetsButton)); };
        if (const char* text = RunPresetsMenu(*presetStore_, show, &version)) ApplyPresetText(text, version);
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
