#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>

#include "NotifyCode.h"
#include "ReverbParams.h"
#include "WaveFormat.h"

// The control state behind the filter's parameter interface: the live record, the other
// A/B setup, the undo snapshot, the change and dirty flags, the meters and overload
// indicators, and two notification slots. One lock guards the live record, the other setup,
// the undo snapshot, the flags and the slots; meters, clip slots, Bypass and PresetIndex
// are single 32-bit values shared without it. What is read without the lock (the live
// fields, the setup number, StereoOutput) is held in atomics, written under the lock.
// Window handles are opaque here; the filter supplies how to reach a window.
class ParameterControl {
public:
    enum Meter : int { kMeterInLeft, kMeterInRight, kMeterOutLeft, kMeterOutRight, kMeterCount };
    enum Side : int { kLeft = 0, kRight = 1 };
    static constexpr int kClipSlots = 4;

    ParameterControl();
    virtual ~ParameterControl() = default;
    ParameterControl(const ParameterControl&) = delete;
    ParameterControl& operator=(const ParameterControl&) = delete;

    void GetAllParams(ReverbParams& out);
    void SetAllParams(const ReverbParams& in);  // copies, sets both flags, then clamps

    int32_t GetField(int field) const;           // no lock
    void PutField(int field, int32_t value);     // clamps; flags only when the value changes

    int32_t GetStereoOutput() const;             // -1 until first used
    void PutStereoOutput(int32_t value);         // clamps to 0..1, like a parameter put

    int32_t GetClipHold(int side, int slot) const;
    void SetClipHold(int side, int slot, int32_t value);
    void GetPeakLevels(float levels[kMeterCount]);  // also re-arms the meters

    int32_t GetPresetIndex() const;
    void SetPresetIndex(int32_t index);
    int32_t GetBypass() const;
    void SetBypass(int32_t bypass);

    int GetCurrentSetup() const;
    void SelectSetup(int which);
    void CopySetup(int from, int to);
    void MarkUndo(int key);
    void SwapUndo();

    bool IsDirty() const;
    void SetDirty(bool dirty);

    // Points at the filter's stored pin formats; null means that pin has no format yet. The
    // filter reads them through GetConnectionFormat under the lock it rewrites them under.
    void SetConnectionFormat(int which, const WaveFormat* format);
    bool GetConnectionFormat(int which, WaveFormat& out) const;

    // Returns 0, or -1 when both slots hold other windows and id != 0.
    int SetNotifyWindow(uintptr_t window, uint16_t id);
    void Notify(NotifyCode code);

    // The streaming side's copy of the live record; returns the change flag and clears it.
    bool TakeSnapshot(ReverbParams& out);

protected:
    // How notifications reach a window; a host without windows has none to reach.
    virtual bool IsWindowAlive(uintptr_t /*window*/) { return false; }
    virtual void PostCommand(uintptr_t /*window*/, uint32_t /*wParam*/) {}

    const WaveFormat* inputFormat_ = nullptr;
    const WaveFormat* outputFormat_ = nullptr;

    std::atomic<int32_t> clipHold_[2][kClipSlots];
    std::atomic<float> peak_[kMeterCount];
    std::atomic<bool> rearmMeters_{false};

private:
    struct NotifySlot {
        uintptr_t window = 0;
        uint16_t id = 0;
    };

    // The caller holds the lock.
    ReverbParams LoadLive() const;
    void ReplaceLive(const ReverbParams& params);  // also sets both flags

    mutable std::mutex lock_;
    std::atomic<int32_t> live_[kParamCount];
    ReverbParams otherSetup_;
    ReverbParams undo_;
    int lastUndoKey_ = -1;
    std::atomic<int> currentSetup_{0};
    bool changed_ = false;
    bool dirty_ = false;
    std::atomic<int32_t> stereoOutput_{-1};
    NotifySlot slots_[2];

    std::atomic<int32_t> bypass_{0};
    std::atomic<int32_t> presetIndex_{-1};
};
