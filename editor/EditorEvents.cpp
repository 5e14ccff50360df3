// From a control to a parameter: each gesture marks its undo step, puts the value and
// refreshes the views of that parameter with what the filter made of it.
#include "EditorIds.h"
#include "ReverbEditor.h"

namespace {

// Undo keys: one gesture continuing on the same control or handle is one undo step.
constexpr int kFreqHandleUndoBase = 100;
constexpr int kRevTimeHandleUndoBase = 200;
constexpr int kTypedTextLimit = 30;  // 29 characters and the terminator

}  // namespace

void ReverbEditor::PutDefault(const ParamBinding& row) {
    PutField(control_, row.field, GetParamInfo(row.field).defaultValue);
}

void ReverbEditor::OnSliderMoved(HWND slider, int value) {
    const int id = GetDlgCtrlID(slider);
    const ParamBinding* row = FindByGraphic(id);
    if (!row || row->kind != GraphicKind::Slider) return;
    control_->MarkUndo(id);
    PutField(control_, row->field, value);
    UpdateControls(id, kWithTexts);
}

void ReverbEditor::OnSliderDoubleClick(int sliderId) {
    const ParamBinding* row = FindByGraphic(sliderId);
    if (!row || row->kind != GraphicKind::Slider) return;
    control_->MarkUndo(kUndoAlways);
    PutDefault(*row);
    UpdateControls(sliderId, kWithTexts);
}

void ReverbEditor::OnFieldTyped(const ParamBinding& row) {
    control_->MarkUndo(kUndoAlways);
    char text[kTypedTextLimit] = "";
    GetDlgItemTextA(Window(), row.numericField, text, kTypedTextLimit);
    PutField(control_, row.field, ParseFieldText(row.text, text));
    // The slider or display follows; the text stays as typed until the zero step reformats it.
    UpdateControls(GroupKey(row), kGraphicsOnly);
}

void ReverbEditor::OnFieldStep(HWND field, int step) {
    const int id = GetDlgCtrlID(field);
    const ParamBinding* row = FindByNumericField(id);
    if (!row) return;
    if (step != 0) control_->MarkUndo(id);
    PutField(control_, row->field, GetField(control_, row->field) + step);
    UpdateControls(GroupKey(*row), kWithTexts);
}

void ReverbEditor::OnDisplayChanged(GraphicKind display, int handle, int value) {
    const ParamBinding* row = FindByHandle(display, handle);
    if (!row) return;
    const bool revTime = display == GraphicKind::RevTime;
    control_->MarkUndo((revTime ? kRevTimeHandleUndoBase : kFreqHandleUndoBase) + handle);
    PutField(control_, row->field, value / row->displayScale);
    UpdateControls(GroupKey(*row), revTime ? kTextsButNotRevTime : kWithTexts);
}

void ReverbEditor::OnDisplayDoubleClick(GraphicKind display, int part) {
    // The frequency display resets the handle hit; the reverb-time display a group of two
    // (0: bass multiplier and crossover, 1: decay time and damping).
    const int first = display == GraphicKind::RevTime ? part * 2 : part;
    const int count = display == GraphicKind::RevTime ? 2 : 1;
    const ParamBinding* rows[2] = {};
    for (int i = 0; i < count; ++i) rows[i] = FindByHandle(display, first + i);
    if (part < 0 || !rows[0]) return;  // a double-click beside the handles
    control_->MarkUndo(kUndoAlways);
    for (int i = 0; i < count; ++i) PutDefault(*rows[i]);
    for (int i = 0; i < count; ++i) UpdateControls(GroupKey(*rows[i]), kWithTexts);
}
