#pragma once
// Which control shows and edits which parameter: one row per parameter (plus the output
// layout), in the order in which the page refreshes them, and the field access through
// the filter's parameter interface.
#include "ReverbParams.h"
#include "ValueText.h"
#include "qvRuvodaR3.h"

// StereoOutput is not part of the parameter record but has a row of its own.
constexpr int kStereoOutputField = kParamCount;

enum class GraphicKind {
    None,
    Slider,         // QVSM_SETPOS with the value
    CheckButton,    // QVBM_SETCHECK with the value
    StereoCaption,  // "Mono" for 0, else "Stereo"
    FreqDisplay,    // a handle of the frequency display (0 low, 1 high)
    RevTime,        // a handle of the reverb-time display (0 to 3)
};

struct ParamBinding {
    int field;           // ReverbParams field, or kStereoOutputField
    int numericField;    // control id of the numeric field, 0 for none
    int graphic;         // control id of the slider, button or display, 0 for none
    GraphicKind kind;
    int handle;          // display handle index
    int displayScale;    // the display works in this many of the field's units
    FieldTextRule text;  // numeric field text and how typed text is read
};

extern const ParamBinding kParamBindings[];
extern const int kParamBindingCount;

// The refresh group a row belongs to: the slider, button or caption when the row has
// one, else its numeric field.
int GroupKey(const ParamBinding& row);
// The row whose graphic control, numeric field or display handle this is; null for none.
const ParamBinding* FindByGraphic(int controlId);
const ParamBinding* FindByNumericField(int controlId);
const ParamBinding* FindByHandle(GraphicKind display, int handle);

// A field's value through the interface (0 when the get fails), and a put (clamped by the
// filter).
int GetField(IReverbControl* control, int field);
void PutField(IReverbControl* control, int field, int value);
