#pragma once
#include <windows.h>

#include "ReverbEngine.h"
#include "qvRuvodaR3.h"

// The engine as the filter's parameter interface. It is a part of the filter object: its
// IUnknown belongs to the filter (owner), so a host holding IReverbControl keeps the whole
// filter alive. Every operation maps onto the engine's control state. The formats the
// engine refers to are the filter's, rewritten under `formatLock` (the filter lock).
class ReverbControl : public ReverbEngine, public IReverbControl {
public:
    ReverbControl(IUnknown* owner, CRITICAL_SECTION* formatLock);

    STDMETHODIMP QueryInterface(REFIID riid, void** object) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetAllParams(ReverbParams* params) override;
    STDMETHODIMP SetAllParams(const ReverbParams* params) override;
    STDMETHODIMP GetConnectionFormat(WAVEFORMATEX* format, int which) override;
    STDMETHODIMP SetNotifyWindow(HWND window, WORD id) override;

#define RUVODA_FIELD_ACCESSORS(Name)                                                  \
    STDMETHODIMP get_##Name(int* value) override { return ReadField(k##Name, value); } \
    STDMETHODIMP put_##Name(int value) override {                                      \
        PutField(k##Name, value);                                                      \
        return S_OK;                                                                   \
    }
    RUVODA_FIELD_ACCESSORS(InputGain)
    RUVODA_FIELD_ACCESSORS(LowCut)
    RUVODA_FIELD_ACCESSORS(HighCut)
    RUVODA_FIELD_ACCESSORS(PreDelay)
    RUVODA_FIELD_ACCESSORS(RoomSize)
    RUVODA_FIELD_ACCESSORS(Diffusion)
    RUVODA_FIELD_ACCESSORS(BassMultiply)
    RUVODA_FIELD_ACCESSORS(Crossover)
    RUVODA_FIELD_ACCESSORS(DecayTime)
    RUVODA_FIELD_ACCESSORS(Damping)
    RUVODA_FIELD_ACCESSORS(DryLevel)
    RUVODA_FIELD_ACCESSORS(EarlyLevel)
    RUVODA_FIELD_ACCESSORS(ReverbLevel)
    RUVODA_FIELD_ACCESSORS(InputMute)
    RUVODA_FIELD_ACCESSORS(DryMute)
    RUVODA_FIELD_ACCESSORS(EarlyMute)
    RUVODA_FIELD_ACCESSORS(ReverbMute)
    RUVODA_FIELD_ACCESSORS(Width)
    RUVODA_FIELD_ACCESSORS(Tail)
#undef RUVODA_FIELD_ACCESSORS
    STDMETHODIMP get_StereoOutput(int* value) override;
    STDMETHODIMP put_StereoOutput(int value) override;

    STDMETHODIMP_(int) GetClipHoldLeft(int slot) override;
    STDMETHODIMP SetClipHoldLeft(int slot, int value) override;
    STDMETHODIMP_(int) GetClipHoldRight(int slot) override;
    STDMETHODIMP SetClipHoldRight(int slot, int value) override;
    STDMETHODIMP GetPeakLevels(float levels[4]) override;

    STDMETHODIMP_(int) GetPresetIndex() override;
    STDMETHODIMP SetPresetIndex(int index) override;
    STDMETHODIMP_(int) GetBypass() override;
    STDMETHODIMP SetBypass(int bypass) override;

    STDMETHODIMP_(int) GetCurrentSetup() override;
    STDMETHODIMP SelectSetup(int which) override;
    STDMETHODIMP CopySetup(int from, int to) override;
    STDMETHODIMP MarkUndo(int key) override;
    STDMETHODIMP SwapUndo() override;

protected:
    bool IsWindowAlive(uintptr_t window) override;
    void PostCommand(uintptr_t window, uint32_t wParam) override;

private:
    HRESULT ReadField(int field, int* value);

    IUnknown* owner_;  // not counted: the owner holds this object
    CRITICAL_SECTION* formatLock_;
};
