#include "ParamBinding.h"

#include "EditorIds.h"

namespace {

using Getter = HRESULT (STDMETHODCALLTYPE IReverbControl::*)(int*);
using Putter = HRESULT (STDMETHODCALLTYPE IReverbControl::*)(int);

struct FieldAccess {
    Getter get;
    Putter put;
};

#define RUVODA_ACCESS(Name) {&IReverbControl::get_##Name, &IReverbControl::put_##Name}
// In record order, then StereoOutput.
const FieldAccess kAccess[kParamCount + 1] = {
    RUVODA_ACCESS(InputGain),   RUVODA_ACCESS(LowCut),      RUVODA_ACCESS(HighCut),
    RUVODA_ACCESS(PreDelay),    RUVODA_ACCESS(RoomSize),    RUVODA_ACCESS(Diffusion),
    RUVODA_ACCESS(BassMultiply), RUVODA_ACCESS(Crossover),  RUVODA_ACCESS(DecayTime),
    RUVODA_ACCESS(Damping),     RUVODA_ACCESS(DryLevel),    RUVODA_ACCESS(ReverbLevel),
    RUVODA_ACCESS(InputMute),   RUVODA_ACCESS(DryMute),     RUVODA_ACCESS(ReverbMute),
    RUVODA_ACCESS(EarlyLevel),  RUVODA_ACCESS(EarlyMute),   RUVODA_ACCESS(Width),
    RUVODA_ACCESS(Tail),        RUVODA_ACCESS(StereoOutput),
};
#undef RUVODA_ACCESS

constexpr auto kNone = GraphicKind::None;
constexpr auto kSlider = GraphicKind::Slider;
constexpr auto kCheck = GraphicKind::CheckButton;
constexpr auto kFreq = GraphicKind::FreqDisplay;
constexpr auto kRevTime = GraphicKind::RevTime;
constexpr auto kLevel = FieldTextRule::Level;
constexpr auto kInteger = FieldTextRule::Integer;
constexpr auto kTenths = FieldTextRule::Tenths;
constexpr auto kTenthsOrOff = FieldTextRule::TenthsOrOff;

}  // namespace

// clang-format off
const ParamBinding kParamBindings[] = {
    {kTail, 0, kTailButton, kCheck, 0, 1, kInteger},
    {kStereoOutputField, 0, kStereoButton, GraphicKind::StereoCaption, 0, 1, kInteger},
    {kInputGain, kInputField, kInputSlider, kSlider, 0, 1, kLevel},
    {kInputMute, 0, kInputMuteButton, kCheck, 0, 1, kInteger},
    {kLowCut, kLowCutField, kFreqDisplay, kFreq, 0, 1, FieldTextRule::LowCut},
    {kHighCut, kHighCutField, kFreqDisplay, kFreq, 1, 100, kTenthsOrOff},
    {kPreDelay, kPreDelayField, kPreDelaySlider, kSlider, 0, 1, kInteger},
    {kRoomSize, kRoomSizeField, kRoomSizeSlider, kSlider, 0, 1, kInteger},
    {kDiffusion, kDiffusionField, kDiffusionSlider, kSlider, 0, 1, kInteger},
    {kBassMultiply, kBassMultiplyField, kRevTimeDisplay, kRevTime, 0, 1, kTenths},
    {kCrossover, kCrossoverField, kRevTimeDisplay, kRevTime, 1, 1, kInteger},
    {kDecayTime, kDecayTimeField, kRevTimeDisplay, kRevTime, 2, 100, kTenths},
    {kDamping, kDampingField, kRevTimeDisplay, kRevTime, 3, 100, kTenthsOrOff},
    {kDryLevel, kDryField, kDrySlider, kSlider, 0, 1, kLevel},
    {kDryMute, 0, kDryMuteButton, kCheck, 0, 1, kInteger},
    {kEarlyLevel, kEarlyField, kEarlySlider, kSlider, 0, 1, kLevel},
    {kEarlyMute, 0, kEarlyMuteButton, kCheck, 0, 1, kInteger},
    {kReverbLevel, kReverbField, kReverbSlider, kSlider, 0, 1, kLevel},
    {kReverbMute, 0, kReverbMuteButton, kCheck, 0, 1, kInteger},
    {kWidth, kWidthField, 0, kNone, 0, 1, kInteger},
};
// clang-format on
const int kParamBindingCount = sizeof kParamBindings / sizeof kParamBindings[0];

int GroupKey(const ParamBinding& row) {
    const bool ownsGraphic = row.kind == kSlider || row.kind == kCheck || row.kind == GraphicKind::StereoCaption;
    return ownsGraphic ? row.graphic : row.numericField;
}

const ParamBinding* FindByGraphic(int controlId) {
    for (const ParamBinding& row : kParamBindings)
        if (row.graphic == controlId && row.kind != kFreq && row.kind != kRevTime) return &row;
    return nullptr;
}

const ParamBinding* FindByNumericField(int controlId) {
    for (const ParamBinding& row : kParamBindings)
        if (controlId != 0 && row.numericField == controlId) return &row;
    return nullptr;
}

const ParamBinding* FindByHandle(GraphicKind display, int handle) {
    for (const ParamBinding& row : kParamBindings)
        if (row.kind == display && row.handle == handle) return &row;
    return nullptr;
}

int GetField(IReverbControl* control, int field) {
    int value = 0;
    if (field < 0 || field > kStereoOutputField || FAILED((control->*kAccess[field].get)(&value))) return 0;
    return value;
}

void PutField(IReverbControl* control, int field, int value) {
    if (field >= 0 && field <= kStereoOutputField) (control->*kAccess[field].put)(value);
}
