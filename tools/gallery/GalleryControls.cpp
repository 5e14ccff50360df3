#include "GalleryControls.h"

#include "EditorIds.h"
#include "EditorLayout.h"
#include "EditorSkin.h"
#include "LevelPair.h"
#include "SkinProtocol.h"

namespace {

// The setting the gallery shows: a medium plate with a touch of input cut, the early
// reflections muted and the tail on, the meters a moment after a louder passage.
struct FieldText {
  int id;
  const char* text;
};
const FieldText kFieldTexts[] = {
    {kInputField, "-1.5"},    {kLowCutField, "75"},    {kHighCutField, "12.0"},     {kPreDelayField, "24"},
    {kRoomSizeField, "62"},   {kDiffusionField, "85"}, {kBassMultiplyField, "1.4"}, {kCrossoverField, "400"},
    {kDecayTimeField, "2.5"}, {kDampingField, "6.5"},  {kDryField, "0.0"},          {kEarlyField, "-3.5"},
    {kReverbField, "-12.0"},  {kWidthField, "100"},
};

struct Setting {
  int id, value;
};
const Setting kSliderPositions[] = {
    {kInputSlider, -15}, {kPreDelaySlider, 24}, {kRoomSizeSlider, 62}, {kDiffusionSlider, 85},
    {kDrySlider, 0},     {kEarlySlider, -35},   {kReverbSlider, -120},
};
const int kLitButtons[] = {kEarlyMuteButton, kTailButton};
// Reverb-time display handles 0 to 3: bass multiplier, crossover, decay time, damping.
const int kDecayShape[] = {14, 400, 2500, 6500};
constexpr int kLowCutHz = 75, kHighCutHz = 12000;
const Setting kMeterLevels[] = {
    {kInputMeterLeft, -62}, {kInputMeterRight, -81}, {kOutputMeterLeft, -96}, {kOutputMeterRight, -110}};

struct LevelPairText {
  int id, left, right;
};
const LevelPairText kLevelTexts[] = {{kInputLevelText, -31, -40}, {kOutputLevelText, -52, -63}};

struct LedState {
  int id;
  ClipLed led;
};
const LedState kLeds[] = {{kInputClipLeft, ClipLed::Off},
                          {kInputClipRight, ClipLed::Off},
                          {kOutputClipLeft, ClipLed::Held},
                          {kOutputClipRight, ClipLed::Lit}};
constexpr int kClipIds[] = {kInputClipLeft, kInputClipRight, kOutputClipLeft, kOutputClipRight};

// A meter that has seen a louder passage a moment ago: the bar has fallen back while the
// held peak line still marks the loud moment.
void ShowRecentPeak(HWND meter, int level) {
  SendMessageA(meter, QVMM_SETLEVELS, static_cast<WPARAM>(level + 60), 0);
  for (int update = 0; update < 4; ++update) SendMessageA(meter, QVMM_SETLEVELS, static_cast<WPARAM>(level), 0);
}

void ShowSetting(HWND parent, const EditorSkin& skin) {
  for (const FieldText& f : kFieldTexts) SetDlgItemTextA(parent, f.id, f.text);
  for (const Setting& s : kSliderPositions)
    SendDlgItemMessageA(parent, s.id, QVSM_SETPOS, static_cast<WPARAM>(s.value), 1);
  for (int id : kLitButtons) SendDlgItemMessageA(parent, id, QVBM_SETCHECK, 1, 0);
  SendDlgItemMessageA(parent, kFreqDisplay, QVFM_SETLOW, kLowCutHz, 0);
  SendDlgItemMessageA(parent, kFreqDisplay, QVFM_SETHIGH, kHighCutHz, 0);
  for (int handle = 0; handle < 4; ++handle)
    SendDlgItemMessageA(parent, kRevTimeDisplay, QVRM_SETVALUE, static_cast<WPARAM>(handle), kDecayShape[handle]);
  for (const Setting& s : kMeterLevels) ShowRecentPeak(GetDlgItem(parent, s.id), s.value);
  for (const LevelPairText& t : kLevelTexts)
    SetDlgItemTextA(parent, t.id, FormatLevelPair(skin.LevelFont(), t.left, t.right).c_str());
  for (const LedState& l : kLeds)
    SendDlgItemMessageA(parent, l.id, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(skin.Led(l.led)));
}

}  // namespace

int CreateGalleryControls(HWND parent, HINSTANCE module, const EditorSkin& skin) {
  int missing = 0;
  for (int id : kClipIds) {
    HWND indicator = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), module, nullptr);
    if (!indicator) ++missing;
  }
  missing += CreateEditorControls(parent, module, skin);
  SetSliderRanges(parent);
  ShowSetting(parent, skin);
  return missing;
}
