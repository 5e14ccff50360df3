// From the filter to the controls: every view of a parameter shows what the filter holds.
#include <string>

#include "EditorIds.h"
#include "EditorLayout.h"
#include "ReverbEditor.h"
#include "SkinProtocol.h"
#include "WindowUtils.h"

int ReverbEditor::SetControlRanges() {
    SetSliderRanges(Window());
    return 1;
}

void ReverbEditor::UpdateWidthEnable() {
    if (!control_ || !Window()) return;
    // Every refresh comes here first (a slider drag, every move); repaint only on a change.
    const BOOL enable = GetField(control_, kStereoOutputField) != 0;
    HWND width = GetDlgItem(Window(), kWidthField);
    if (width && IsWindowEnabled(width) != enable) EnableDlgItemRedraw(Window(), kWidthField, enable);
}

int ReverbEditor::UpdateControls(int id, int mode) {
    HWND page = Window();
    if (!control_ || !page) return 0;
    UpdateWidthEnable();
    const bool all = id == 0 || id == ID_FILTER_NOTIFY;
    for (int i = 0; i < kParamBindingCount; ++i) {
        const ParamBinding& row = kParamBindings[i];
        if (!all && id != GroupKey(row)) continue;
        HWND graphic = row.graphic ? GetDlgItem(page, row.graphic) : nullptr;
        const int value = GetField(control_, row.field);
        switch (row.kind) {
        case GraphicKind::Slider:
        case GraphicKind::CheckButton:
        case GraphicKind::StereoCaption:
            if (!graphic) continue;  // the whole group, text included
            if (row.kind == GraphicKind::StereoCaption)
                SetWindowTextA(graphic, value == 0 ? "Mono" : "Stereo");
            else
                SendMessageA(graphic, row.kind == GraphicKind::Slider ? QVSM_SETPOS : QVBM_SETCHECK,
                             static_cast<WPARAM>(value), 1);
            break;
        case GraphicKind::FreqDisplay:
            SendMessageA(graphic, row.handle == 0 ? QVFM_SETLOW : QVFM_SETHIGH,
                         static_cast<WPARAM>(value * row.displayScale), 0);
            break;
        case GraphicKind::RevTime:
            // Not fed back its own value while it is being dragged.
            if (mode < kTextsButNotRevTime)
                SendMessageA(graphic, QVRM_SETVALUE, static_cast<WPARAM>(row.handle), value * row.displayScale);
            break;
        case GraphicKind::None:
            break;
        }
        if (mode != kGraphicsOnly && row.numericField)
            SetDlgItemTextA(page, row.numericField, FormatFieldText(row.text, value).c_str());
    }
    return 1;
}
