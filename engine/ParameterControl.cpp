#include "ParameterControl.h"

ParameterControl::ParameterControl() {
    for (auto& side : clipHold_)
        for (auto& slot : side) slot.store(0, std::memory_order_relaxed);
    for (auto& meter : peak_) meter.store(0.0f, std::memory_order_relaxed);
    const ReverbParams defaults = DefaultParams();
    SetAllParams(defaults);
    otherSetup_ = defaults;
    undo_ = defaults;
}

ReverbParams ParameterControl::LoadLive() const {
    ReverbParams params;
    for (int field = 0; field < kParamCount; ++field)
        SetParam(params, field, live_[field].load(std::memory_order_relaxed));
    return params;
}

void ParameterControl::ReplaceLive(const ReverbParams& params) {
    for (int field = 0; field < kParamCount; ++field)
        live_[field].store(GetParam(params, field), std::memory_order_relaxed);
    changed_ = true;
    dirty_ = true;
}

void ParameterControl::GetAllParams(ReverbParams& out) {
    std::lock_guard<std::mutex> guard(lock_);
    out = LoadLive();
}

void ParameterControl::SetAllParams(const ReverbParams& in) {
    ReverbParams clamped = in;
    ClampParams(clamped);
    std::lock_guard<std::mutex> guard(lock_);
    ReplaceLive(clamped);
}

int32_t ParameterControl::GetField(int field) const {
    if (field < 0 || field >= kParamCount) return 0;
    return live_[field].load(std::memory_order_relaxed);
}

void ParameterControl::PutField(int field, int32_t value) {
    if (field < 0 || field >= kParamCount) return;
    value = ClampParam(field, value);
    std::lock_guard<std::mutex> guard(lock_);
    if (live_[field].load(std::memory_order_relaxed) != value) {
        live_[field].store(value, std::memory_order_relaxed);
        changed_ = true;
        dirty_ = true;
    }
}

int32_t ParameterControl::GetStereoOutput() const { return stereoOutput_.load(std::memory_order_relaxed); }

void ParameterControl::PutStereoOutput(int32_t value) {
    value = value < 0 ? 0 : (value > 1 ? 1 : value);
    std::lock_guard<std::mutex> guard(lock_);
    if (stereoOutput_.load(std::memory_order_relaxed) != value) {
        stereoOutput_.store(value, std::memory_order_relaxed);
        changed_ = true;
        dirty_ = true;
    }
}

int32_t ParameterControl::GetClipHold(int side, int slot) const {
    if ((side != kLeft && side != kRight) || slot < 0 || slot >= kClipSlots) return 0;
    return clipHold_[side][slot].load(std::memory_order_relaxed);
}

void ParameterControl::SetClipHold(int side, int slot, int32_t value) {
    if ((side != kLeft && side != kRight) || slot < 0 || slot >= kClipSlots) return;
    clipHold_[side][slot].store(value, std::memory_order_relaxed);
}

void ParameterControl::GetPeakLevels(float levels[kMeterCount]) {
    for (int i = 0; i < kMeterCount; ++i) levels[i] = peak_[i].load(std::memory_order_relaxed);
    rearmMeters_.store(true, std::memory_order_relaxed);
}

int32_t ParameterControl::GetPresetIndex() const { return presetIndex_.load(std::memory_order_relaxed); }
void ParameterControl::SetPresetIndex(int32_t index) { presetIndex_.store(index, std::memory_order_relaxed); }
int32_t ParameterControl::GetBypass() const { return bypass_.load(std::memory_order_relaxed); }
void ParameterControl::SetBypass(int32_t bypass) { bypass_.store(bypass, std::memory_order_relaxed); }

int ParameterControl::GetCurrentSetup() const { return currentSetup_.load(std::memory_order_relaxed); }

void ParameterControl::SelectSetup(int which) {
    std::lock_guard<std::mutex> guard(lock_);
    if (which == currentSetup_.load(std::memory_order_relaxed)) return;
    currentSetup_.store(which, std::memory_order_relaxed);
    const ReverbParams shown = LoadLive();
    ReverbParams next = otherSetup_;
    ClampParams(next);
    ReplaceLive(next);
    otherSetup_ = shown;
}

void ParameterControl::CopySetup(int from, int to) {
    std::lock_guard<std::mutex> guard(lock_);
    if (from == 0 && to == 1) {
        otherSetup_ = LoadLive();
    } else if (from == 1 && to == 0) {
        ReplaceLive(otherSetup_);
    }
}

void ParameterControl::MarkUndo(int key) {
    std::lock_guard<std::mutex> guard(lock_);
    if (key == -2 || (key >= 0 && key != lastUndoKey_)) undo_ = LoadLive();
    lastUndoKey_ = key;
}

void ParameterControl::SwapUndo() {
    std::lock_guard<std::mutex> guard(lock_);
    const ReverbParams shown = LoadLive();
    ReplaceLive(undo_);
    undo_ = shown;
}

bool ParameterControl::IsDirty() const {
    std::lock_guard<std::mutex> guard(lock_);
    return dirty_;
}

void ParameterControl::SetDirty(bool dirty) {
    std::lock_guard<std::mutex> guard(lock_);
    dirty_ = dirty;
}

void ParameterControl::SetConnectionFormat(int which, const WaveFormat* format) {
    if (which == 0) inputFormat_ = format;
    else if (which == 1) outputFormat_ = format;
}

bool ParameterControl::GetConnectionFormat(int which, WaveFormat& out) const {
    const WaveFormat* format = which == 0 ? inputFormat_ : which == 1 ? outputFormat_ : nullptr;
    if (format == nullptr) return false;
    out = *format;
    return true;
}

int ParameterControl::SetNotifyWindow(uintptr_t window, uint16_t id) {
    std::lock_guard<std::mutex> guard(lock_);
    NotifySlot* chosen = nullptr;
    for (NotifySlot& slot : slots_) {
        if (slot.window == window) { chosen = &slot; break; }
        if (slot.window == 0) chosen = &slot;
    }
    if (chosen == nullptr) return id != 0 ? -1 : 0;
    chosen->id = id;
    chosen->window = id != 0 ? window : 0;
    return 0;
}

void ParameterControl::Notify(NotifyCode code) {
    std::lock_guard<std::mutex> guard(lock_);
    for (NotifySlot& slot : slots_) {
        if (slot.window == 0) continue;
        if (!IsWindowAlive(slot.window)) {
            slot = NotifySlot();
            continue;
        }
        PostCommand(slot.window, static_cast<uint32_t>(code) * 65536u + slot.id);
    }
}

bool ParameterControl::TakeSnapshot(ReverbParams& out) {
    std::lock_guard<std::mutex> guard(lock_);
    out = LoadLive();
    bool changed = changed_;
    changed_ = false;
    return changed;
}
