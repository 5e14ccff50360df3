// The buttons and menus that act on the filter as a whole: bypass, undo, the A/B setups,
// reset, the switches, and the hand-overs of preset data in both directions.
#include "EditorIds.h"
#include "Preset.h"
#include "PresetText.h"
#include "ReverbEditor.h"
#include "SkinProtocol.h"

namespace {

// The setup menu's commands.
constexpr UINT kSelectSetupA = 10502;
constexpr UINT kSelectSetupB = 10503;
constexpr UINT kCopyToOther = 10504;
constexpr UINT kCopyFromOther = 10505;

const char* SetupCaption(int setup) { return setup == 1 ? "Setup B" : "Setup A"; }

}  // namespace

bool ReverbEditor::OnButton(int id, int code) {
    if (code == QVBN_PRESSED) {
        // The menu buttons open their menus while they are held down.
        if (id == kSetupMenuButton) ShowSetupMenu();
        else if (id == kPresetsButton) ShowPresetsMenu();
        else return false;
        return true;
    }
    if (code != QVBN_CLICKED) return false;
    switch (id) {
    case kBypassButton: {
        const int bypass = 1 - control_->GetBypass();
        control_->SetBypass(bypass);
        SendDlgItemMessageA(Window(), kBypassButton, QVBM_SETCHECK, static_cast<WPARAM>(bypass), 0);
        return true;
    }
    case kUndoButton:
        control_->SwapUndo();
        RefreshAll();
        return true;
    case kSetupButton:
        SelectSetup(1 - control_->GetCurrentSetup());
        return true;
    case kResetButton:
        Reset();
        return true;
    case kHelpButton:
        Help(nullptr);
        return true;
    }
    const ParamBinding* row = FindByGraphic(id);
    if (!row || (row->kind != GraphicKind::CheckButton && row->kind != GraphicKind::StereoCaption)) return false;
    // Mutes, Tail and Stereo/Mono toggle; Stereo/Mono is outside the undo snapshot.
    control_->MarkUndo(kUndoAlways);
    PutField(control_, row->field, GetField(control_, row->field) == 0 ? 1 : 0);
    UpdateControls(id, kWithTexts);
    return true;
}

void ReverbEditor::RefreshAll() {
    UpdateControls(0, kWithTexts);
    UpdateWidthEnable();
}

void ReverbEditor::SelectSetup(int setup) {
    control_->MarkUndo(kUndoAlways);
    control_->SelectSetup(setup);
    SetDlgItemTextA(Window(), kSetupButton, SetupCaption(setup));
    RefreshAll();
}

void ReverbEditor::Reset() {
    control_->MarkUndo(kUndoAlways);
    // One put per field in record order; Bypass, the output layout and the other setup stay.
    for (int field = 0; field < kParamCount; ++field) PutField(control_, field, GetParamInfo(field).defaultValue);
    RefreshAll();
}

UINT ReverbEditor::TrackButtonMenu(HMENU menu, int buttonId) {
    RECT button;
    GetWindowRect(GetDlgItem(Window(), buttonId), &button);
    return static_cast<UINT>(TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD, button.left + 1, button.bottom - 1, 0,
                                            Window(), nullptr));
}

void ReverbEditor::ShowSetupMenu() {
    if (HMENU menu = CreatePopupMenu()) {
        const int setup = control_->GetCurrentSetup();
        AppendMenuA(menu, MF_STRING, kSelectSetupA, "Setup A");
        AppendMenuA(menu, MF_STRING, kSelectSetupB, "Setup B");
        AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        // The copy commands always name the other setup.
        AppendMenuA(menu, MF_STRING, kCopyToOther, setup == 1 ? "Copy to A" : "Copy to B");
        AppendMenuA(menu, MF_STRING, kCopyFromOther, setup == 1 ? "Copy from A" : "Copy from B");
        CheckMenuRadioItem(menu, 0, 2, static_cast<UINT>(setup), MF_BYPOSITION);
        switch (TrackButtonMenu(menu, kSetupButton)) {
        case kSelectSetupA: SelectSetup(0); break;
        case kSelectSetupB: SelectSetup(1); break;
        case kCopyToOther: control_->CopySetup(0, 1); break;  // the current setup does not change
        case kCopyFromOther:
            control_->MarkUndo(kUndoAlways);
            control_->CopySetup(1, 0);
            RefreshAll();
            break;
        }
        DestroyMenu(menu);
    }
    // Releases the arrow held down while the menu was open; the click that closed the menu
    // is not a second press.
    SendDlgItemMessageA(Window(), kSetupMenuButton, QVBM_CANCELPRESS, 0, 0);
}

void ReverbEditor::ApplyPresetText(const char* text, int version) {
    control_->MarkUndo(kUndoAlways);
    int32_t values[kPresetTextValues] = {};
    const int count = ParsePresetText(text, values);
    // Fields a short text does not carry keep their values.
    for (int i = 0; i < count; ++i)
        PutField(control_, kPresetTextOrder[i], PresetTextValueForVersion(i, values[i], version));
    control_->put_Tail(0);
    RefreshAll();
    InvalidateRect(Window(), nullptr, FALSE);
}

void ReverbEditor::OnGetPresetData(char** data) const {
    ReverbParams params{};
    control_->GetAllParams(&params);
    // The store frees the text it is handed with FreePresetData; null when out of memory.
    *data = CopyPresetData(WritePresetText(params).c_str());
}

void ReverbEditor::OnFirstTick() {
    firstTickPending_ = false;
    // Both setups and the undo snapshot start from what the editor found on opening.
    control_->MarkUndo(kUndoAlways);
    control_->CopySetup(0, 1);
    if (GetFocus() == GetDlgItem(Window(), kBypassButton)) SetFocus(GetDlgItem(Window(), kInputSlider));
}
