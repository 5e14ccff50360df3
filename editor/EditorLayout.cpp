#include "EditorLayout.h"

#include "EditorIds.h"
#include "Meter.h"
#include "SkinProtocol.h"

namespace {

// Linear drag and right-aligned text, plus 0x84 that the control ignores; the Crossover
// field alone drags by the square of the movement.
constexpr DWORD kFieldBits = 0x87;
constexpr DWORD kSquaredFieldBits = 0x86;
constexpr DWORD kMeterBits = kMeterVerticalStyle | kMeterBallisticsStyle;
constexpr DWORD kLevelTextBits = 0x101;

constexpr RECT kSetupMargins = {0, 0, 1, 0};
constexpr RECT kSetupMenuMargins = {-2, 0, 0, 0};

constexpr ControlKind kButton = ControlKind::PushButton;
constexpr ControlKind kField = ControlKind::Edit;
constexpr ControlKind kSlider = ControlKind::Slider;

struct ClipIndicatorPlace {
    int id, x, y;
};
constexpr ClipIndicatorPlace kClipIndicators[] = {
    {kInputClipLeft, 352, 55}, {kInputClipRight, 382, 55}, {kOutputClipLeft, 352, 239}, {kOutputClipRight, 382, 239}};
constexpr int kClipWidth = 12, kClipHeight = 9;

struct SliderRange {
    int id, minimum, maximum;
};
// The parameters' ranges, with -36.1 dB as the levels' bottom.
constexpr SliderRange kSliderRanges[] = {
    {kInputSlider, -361, 60},    {kPreDelaySlider, 0, 250}, {kRoomSizeSlider, 1, 100}, {kDiffusionSlider, 0, 100},
    {kDrySlider, -361, 60},      {kEarlySlider, -361, 60},  {kReverbSlider, -361, 60},
};

const char* ClassName(ControlKind kind) {
    switch (kind) {
    case ControlKind::PushButton: return kPushButtonClassName;
    case ControlKind::Edit: return kEditClassName;
    case ControlKind::Slider: return kSliderClassName;
    case ControlKind::FreqDisplay: return kFreqDisplayClassName;
    case ControlKind::RevTime: return kRevTimeClassName;
    case ControlKind::Meter: return kMeterClassName;
    case ControlKind::LevelText: break;
    }
    return kStaticTextClassName;
}

WPARAM AsWParam(const void* pointer) { return reinterpret_cast<WPARAM>(pointer); }
LPARAM AsLParam(const void* pointer) { return reinterpret_cast<LPARAM>(pointer); }

void SetUp(HWND window, const EditorControl& c, const EditorSkin& skin) {
    switch (c.kind) {
    case ControlKind::PushButton:
        SendMessageA(window, QVBM_SETIMAGES, AsWParam(skin.Image(c.imageA)), AsLParam(skin.Image(c.imageB)));
        if (c.focusMargins) SendMessageA(window, QVBM_SETFOCUSMARGINS, AsWParam(c.focusMargins), 0);
        break;
    case ControlKind::Edit:
        SendMessageA(window, WM_SETFONT, AsWParam(GetStockObject(DEFAULT_GUI_FONT)), 0);
        SendMessageA(window, QVEM_SETIMAGE, AsWParam(skin.Image(c.imageA)), 0);
        break;
    case ControlKind::Slider:
        SendMessageA(window, QVSM_SETTICKSTEP, static_cast<WPARAM>(c.tickStep), 0);
        SendMessageA(window, QVSM_SETTICKOFFSET, static_cast<WPARAM>(c.tickOffset), 0);
        SendMessageA(window, QVSM_SETPAGESIZE, static_cast<WPARAM>(c.tickStep), 0);
        SendMessageA(window, QVSM_SETTHUMBIMAGE, AsWParam(skin.Image(c.imageA)), 0);
        break;
    case ControlKind::FreqDisplay:
        SendMessageA(window, QVFM_SETOVERLAY, AsWParam(skin.FreqOverlay()), 0);
        break;
    case ControlKind::RevTime:
        SendMessageA(window, QVRM_SETOVERLAY, AsWParam(skin.RevTimeOverlay()), 0);
        break;
    case ControlKind::Meter:
        SendMessageA(window, QVMM_SETIMAGES, AsWParam(skin.Image(c.imageA)), AsLParam(skin.Image(c.imageB)));
        SendMessageA(window, QVMM_SETRANGE, static_cast<WPARAM>(-300), 0);
        break;
    case ControlKind::LevelText:
        SendMessageA(window, WM_SETFONT, AsWParam(skin.LevelFont()), 0);
        break;
    }
}

}  // namespace

// clang-format off
const EditorControl kEditorControls[] = {
    {kBypassButton, kButton, true, 0, 16, 16, 50, 21, "Bypass", 137, 136, 0, 0, nullptr},
    {kUndoButton, kButton, true, 0, 69, 16, 76, 21, "Undo", 125, 126, 0, 0, nullptr},
    {kSetupButton, kButton, true, 0, 148, 16, 61, 21, "Setup A", 123, 124, 0, 0, &kSetupMargins},
    {kSetupMenuButton, kButton, true, kPushButtonArrowStyle, 209, 16, 15, 21, "", 129, 122, 0, 0, &kSetupMenuMargins},
    {kResetButton, kButton, true, 0, 227, 16, 76, 21, "Reset", 125, 126, 0, 0, nullptr},
    {kPresetsButton, kButton, true, kPushButtonArrowStyle, 306, 16, 76, 21, "Presets", 125, 126, 0, 0, nullptr},
    {kHelpButton, kButton, true, 0, 385, 16, 24, 21, "?", 133, 132, 0, 0, nullptr},
    {kInputMuteButton, kButton, true, 0, 69, 45, 36, 21, "Mute", 135, 134, 0, 0, nullptr},
    {kInputField, kField, true, kFieldBits, 109, 45, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kInputSlider, kSlider, true, 0, 178, 48, 154, 20, "", 127, 0, 20, 1, nullptr},
    {kLowCutField, kField, true, kFieldBits, 109, 76, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kFreqDisplay, ControlKind::FreqDisplay, false, 0, 178, 76, 154, 44, "", 0, 0, 0, 0, nullptr},
    {kHighCutField, kField, true, kFieldBits, 109, 99, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kPreDelayField, kField, true, kFieldBits, 109, 130, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kPreDelaySlider, kSlider, true, 0, 178, 133, 154, 20, "", 127, 0, 25, 0, nullptr},
    {kRoomSizeField, kField, true, kFieldBits, 109, 153, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kRoomSizeSlider, kSlider, true, 0, 178, 156, 154, 20, "", 127, 0, 10, -1, nullptr},
    {kDiffusionField, kField, true, kFieldBits, 109, 176, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kDiffusionSlider, kSlider, true, 0, 178, 179, 154, 20, "", 127, 0, 10, 0, nullptr},
    {kBassMultiplyField, kField, true, kFieldBits, 109, 207, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kRevTimeDisplay, ControlKind::RevTime, false, 0, 178, 207, 154, 90, "", 0, 0, 0, 0, nullptr},
    {kCrossoverField, kField, true, kSquaredFieldBits, 109, 230, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kDecayTimeField, kField, true, kFieldBits, 109, 253, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kDampingField, kField, true, kFieldBits, 109, 276, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kDryMuteButton, kButton, true, 0, 69, 307, 36, 21, "Mute", 135, 134, 0, 0, nullptr},
    {kDryField, kField, true, kFieldBits, 109, 307, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kDrySlider, kSlider, true, 0, 178, 310, 154, 20, "", 127, 0, 20, 1, nullptr},
    {kEarlyMuteButton, kButton, true, 0, 69, 330, 36, 21, "Mute", 135, 134, 0, 0, nullptr},
    {kEarlyField, kField, true, kFieldBits, 109, 330, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kEarlySlider, kSlider, true, 0, 178, 333, 154, 20, "", 127, 0, 20, 1, nullptr},
    {kReverbMuteButton, kButton, true, 0, 69, 353, 36, 21, "Mute", 135, 134, 0, 0, nullptr},
    {kReverbField, kField, true, kFieldBits, 109, 353, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kReverbSlider, kSlider, true, 0, 178, 356, 154, 20, "", 127, 0, 20, 1, nullptr},
    {kWidthField, kField, true, kFieldBits, 109, 384, 40, 21, "", 120, 0, 0, 0, nullptr},
    {kStereoButton, kButton, true, kPushButtonGlyphStyle, 218, 384, 76, 21, "Stereo", 125, 126, 0, 0, nullptr},
    {kTailButton, kButton, true, 0, 296, 384, 36, 21, "Tail", 135, 134, 0, 0, nullptr},
    {kInputMeterLeft, ControlKind::Meter, false, kMeterBits, 352, 64, 12, 144, "", 128, 121, 0, 0, nullptr},
    {kInputMeterRight, ControlKind::Meter, false, kMeterBits, 382, 64, 12, 144, "", 128, 121, 0, 0, nullptr},
    {kInputLevelText, ControlKind::LevelText, false, kLevelTextBits, 347, 43, 52, 11, "-Inf    -Inf", 0, 0, 0, 0, nullptr},
    {kOutputMeterLeft, ControlKind::Meter, false, kMeterBits, 352, 248, 12, 144, "", 128, 121, 0, 0, nullptr},
    {kOutputMeterRight, ControlKind::Meter, false, kMeterBits, 382, 248, 12, 144, "", 128, 121, 0, 0, nullptr},
    {kOutputLevelText, ControlKind::LevelText, false, kLevelTextBits, 347, 227, 52, 11, "-Inf    -Inf", 0, 0, 0, 0, nullptr},
};
// clang-format on
const int kEditorControlCount = sizeof kEditorControls / sizeof kEditorControls[0];

int CreateEditorControls(HWND page, HINSTANCE module, const EditorSkin& skin) {
    int missing = 0;
    for (const EditorControl& c : kEditorControls) {
        const DWORD style = WS_CHILD | WS_VISIBLE | (c.tabStop ? WS_TABSTOP : 0) | c.classBits;
        HWND window = CreateWindowExA(0, ClassName(c.kind), c.text, style, c.x, c.y, c.width, c.height, page,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), module, skin.Background());
        if (window)
            SetUp(window, c, skin);
        else
            ++missing;
    }
    for (const ClipIndicatorPlace& clip : kClipIndicators) {
        HWND indicator = GetDlgItem(page, clip.id);
        if (!indicator) continue;
        MoveWindow(indicator, clip.x, clip.y, kClipWidth, kClipHeight, TRUE);
        SendMessageA(indicator, STM_SETIMAGE, IMAGE_BITMAP, AsLParam(skin.Led(ClipLed::Off)));
    }
    return missing;
}

void SetSliderRanges(HWND page) {
    for (const SliderRange& r : kSliderRanges)
        SendDlgItemMessageA(page, r.id, QVSM_SETRANGE, static_cast<WPARAM>(r.minimum), r.maximum);
}
