// The right-hand column: level meters, the highest-level texts and the clip indicators,
// driven by the page's timer. The filter only measures; the indicators' little state
// machine runs here, on the counters the filter keeps.
#include <initializer_list>

#include "EditorIds.h"
#include "LevelPair.h"
#include "ReverbEditor.h"
#include "SkinProtocol.h"
#include "ValueText.h"

namespace {

// Counter and displayed-state slots of the filter's clip arrays.
constexpr int kInputCounterSlot = 0;
constexpr int kOutputCounterSlot = 2;

struct ClipIndicator {
    int id;
    bool right;
    int counterSlot;  // the displayed state is the slot after it
};
constexpr ClipIndicator kClipIndicators[] = {
    {kInputClipLeft, false, kInputCounterSlot},   {kInputClipRight, true, kInputCounterSlot},
    {kOutputClipLeft, false, kOutputCounterSlot}, {kOutputClipRight, true, kOutputCounterSlot},
};

struct MeterPair {
    int left, right, text;
};
constexpr MeterPair kInputPair = {kInputMeterLeft, kInputMeterRight, kInputLevelText};
constexpr MeterPair kOutputPair = {kOutputMeterLeft, kOutputMeterRight, kOutputLevelText};

int GetClip(IReverbControl* control, bool right, int slot) {
    return right ? control->GetClipHoldRight(slot) : control->GetClipHoldLeft(slot);
}

void SetClip(IReverbControl* control, bool right, int slot, int value) {
    if (right)
        control->SetClipHoldRight(slot, value);
    else
        control->SetClipHoldLeft(slot, value);
}

int MeterMaximum(HWND page, int meter) {
    int maximum = -9999;
    SendDlgItemMessageA(page, meter, QVMM_GETMAX, reinterpret_cast<WPARAM>(&maximum), 0);
    return maximum;
}

}  // namespace

void ReverbEditor::TickClipIndicators() {
    for (const ClipIndicator& clip : kClipIndicators) {
        int counter = GetClip(control_, clip.right, clip.counterSlot);
        if (counter != GetClip(control_, clip.right, clip.counterSlot + 1)) {
            // 3 written by the filter shows lit for two ticks, then held until reset.
            const ClipLed led = counter == 0 ? ClipLed::Off : counter == 1 ? ClipLed::Held : ClipLed::Lit;
            if (skin_)
                SendDlgItemMessageA(Window(), clip.id, STM_SETIMAGE, IMAGE_BITMAP,
                                    reinterpret_cast<LPARAM>(skin_->Led(led)));
            SetClip(control_, clip.right, clip.counterSlot + 1, counter);
        }
        if (counter > 1) --counter;
        SetClip(control_, clip.right, clip.counterSlot, counter);
    }
}

void ReverbEditor::UpdateMeters() {
    HWND page = Window();
    if (!control_ || !page) return;
    float levels[4] = {};
    control_->GetPeakLevels(levels);
    const int meters[4] = {kInputMeterLeft, kInputMeterRight, kOutputMeterLeft, kOutputMeterRight};
    for (int i = 0; i < 4; ++i)
        SendDlgItemMessageA(page, meters[i], QVMM_SETLEVELS, static_cast<WPARAM>(LevelTenths(levels[i])), 0);
    HFONT font = skin_ ? skin_->LevelFont() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const MeterPair& pair : {kInputPair, kOutputPair}) {
        const std::string text =
            FormatLevelPair(font, MeterMaximum(page, pair.left), MeterMaximum(page, pair.right));
        SetDlgItemTextA(page, pair.text, text.c_str());
    }
}

bool ReverbEditor::OnMeterClick(int id) {
    for (const ClipIndicator& clip : kClipIndicators) {
        if (clip.id != id) continue;
        // Either indicator of a pair clears both channels of that pair.
        SetClip(control_, false, clip.counterSlot, 0);
        SetClip(control_, true, clip.counterSlot, 0);
        return true;
    }
    for (const MeterPair& pair : {kInputPair, kOutputPair}) {
        if (pair.text != id) continue;
        SendDlgItemMessageA(Window(), pair.left, QVMM_RESETMAX, 0, 0);
        SendDlgItemMessageA(Window(), pair.right, QVMM_RESETMAX, 0, 0);
        UpdateMeters();
        return true;
    }
    return false;
}
