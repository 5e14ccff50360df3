#include "ReverbControl.h"

#include <vfwmsgs.h>

#include "AutoLock.h"

ReverbControl::ReverbControl(IUnknown* owner, CRITICAL_SECTION* formatLock)
    : owner_(owner), formatLock_(formatLock) {}

STDMETHODIMP ReverbControl::QueryInterface(REFIID riid, void** object) {
    return owner_->QueryInterface(riid, object);
}
STDMETHODIMP_(ULONG) ReverbControl::AddRef() { return owner_->AddRef(); }
STDMETHODIMP_(ULONG) ReverbControl::Release() { return owner_->Release(); }

STDMETHODIMP ReverbControl::GetAllParams(ReverbParams* params) {
    if (params == nullptr) return E_POINTER;
    ParameterControl::GetAllParams(*params);
    return S_OK;
}

STDMETHODIMP ReverbControl::SetAllParams(const ReverbParams* params) {
    if (params == nullptr) return E_POINTER;
    ParameterControl::SetAllParams(*params);
    return S_OK;
}

STDMETHODIMP ReverbControl::GetConnectionFormat(WAVEFORMATEX* format, int which) {
    if (format == nullptr) return E_POINTER;
    WaveFormat stored;
    {
        // The streaming thread may rewrite the output format on a layout change.
        AutoLock lock(formatLock_);
        if (!ParameterControl::GetConnectionFormat(which, stored)) return VFW_E_NOT_CONNECTED;
    }
    format->wFormatTag = stored.formatTag;
    format->nChannels = stored.channels;
    format->nSamplesPerSec = stored.sampleRate;
    format->nAvgBytesPerSec = stored.avgBytesPerSec;
    format->nBlockAlign = stored.blockAlign;
    format->wBitsPerSample = stored.bitsPerSample;
    format->cbSize = stored.extraSize;
    return S_OK;
}

STDMETHODIMP ReverbControl::SetNotifyWindow(HWND window, WORD id) {
    int result = ParameterControl::SetNotifyWindow(reinterpret_cast<uintptr_t>(window), id);
    return result < 0 ? E_OUTOFMEMORY : S_OK;
}

HRESULT ReverbControl::ReadField(int field, int* value) {
    if (value == nullptr) return E_POINTER;
    *value = GetField(field);
    return S_OK;
}

STDMETHODIMP ReverbControl::get_StereoOutput(int* value) {
    if (value == nullptr) return E_POINTER;
    *value = GetStereoOutput();
    return S_OK;
}

STDMETHODIMP ReverbControl::put_StereoOutput(int value) {
    PutStereoOutput(value);
    return S_OK;
}

STDMETHODIMP_(int) ReverbControl::GetClipHoldLeft(int slot) { return GetClipHold(kLeft, slot); }
STDMETHODIMP ReverbControl::SetClipHoldLeft(int slot, int value) {
    SetClipHold(kLeft, slot, value);
    return S_OK;
}
STDMETHODIMP_(int) ReverbControl::GetClipHoldRight(int slot) { return GetClipHold(kRight, slot); }
STDMETHODIMP ReverbControl::SetClipHoldRight(int slot, int value) {
    SetClipHold(kRight, slot, value);
    return S_OK;
}

STDMETHODIMP ReverbControl::GetPeakLevels(float levels[4]) {
    if (levels == nullptr) return E_POINTER;
    ParameterControl::GetPeakLevels(levels);
    return S_OK;
}

STDMETHODIMP_(int) ReverbControl::GetPresetIndex() { return ParameterControl::GetPresetIndex(); }
STDMETHODIMP ReverbControl::SetPresetIndex(int index) {
    ParameterControl::SetPresetIndex(index);
    return S_OK;
}
STDMETHODIMP_(int) ReverbControl::GetBypass() { return ParameterControl::GetBypass(); }
STDMETHODIMP ReverbControl::SetBypass(int bypass) {
    ParameterControl::SetBypass(bypass);
    return S_OK;
}

STDMETHODIMP_(int) ReverbControl::GetCurrentSetup() { return ParameterControl::GetCurrentSetup(); }
STDMETHODIMP ReverbControl::SelectSetup(int which) {
    // There are only setups A and B; anything else would leave no setup current.
    if (which == 0 || which == 1) ParameterControl::SelectSetup(which);
    return S_OK;
}
STDMETHODIMP ReverbControl::CopySetup(int from, int to) {
    ParameterControl::CopySetup(from, to);
    return S_OK;
}
STDMETHODIMP ReverbControl::MarkUndo(int key) {
    ParameterControl::MarkUndo(key);
    return S_OK;
}
STDMETHODIMP ReverbControl::SwapUndo() {
    ParameterControl::SwapUndo();
    return S_OK;
}

bool ReverbControl::IsWindowAlive(uintptr_t window) {
    return IsWindow(reinterpret_cast<HWND>(window)) != FALSE;
}

void ReverbControl::PostCommand(uintptr_t window, uint32_t wParam) {
    PostMessageW(reinterpret_cast<HWND>(window), WM_COMMAND, wParam, 0);
}
