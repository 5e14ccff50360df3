#include <cstring>

#include "FactoryPresets.h"
#include "PersistedForm.h"
#include "ReverbFilter.h"

namespace {

void IdentifierBytes(uint8_t out[16]) { std::memcpy(out, &IID_IReverbControl, 16); }

// Reads exactly `size` bytes: a short read is an unrecognised stream.
HRESULT ReadExactly(IStream* stream, void* data, ULONG size) {
    ULONG got = 0;
    HRESULT hr = stream->Read(data, size, &got);
    if (FAILED(hr)) return hr;
    return got == size ? S_OK : E_FAIL;
}

}  // namespace

HRESULT STDMETHODCALLTYPE ReverbFilter::IsDirty() { return engine_.IsDirty() ? S_OK : S_FALSE; }

HRESULT STDMETHODCALLTYPE ReverbFilter::Load(IStream* stream) {
    if (stream == nullptr) return E_POINTER;
    uint8_t header[kPersistedHeaderSize];
    HRESULT hr = ReadExactly(stream, header, sizeof(header));
    if (FAILED(hr)) return hr;
    uint8_t identifier[16];
    IdentifierBytes(identifier);
    const uint32_t size = PersistedFormSize(header, identifier);
    if (size == 0) return E_FAIL;
    uint8_t fields[kPersistedSize - kPersistedHeaderSize];
    hr = ReadExactly(stream, fields, size - kPersistedHeaderSize);
    if (FAILED(hr)) return hr;
    const ReverbParams params = ReadPersistedFields(fields, size);
    engine_.SetAllParams(&params);
    // An open editor reloads its controls.
    engine_.Notify(kNotifyCodeLoaded);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReverbFilter::Save(IStream* stream, BOOL clearDirty) {
    if (stream == nullptr) return E_POINTER;
    ReverbParams params;
    engine_.GetAllParams(&params);
    uint8_t identifier[16];
    IdentifierBytes(identifier);
    uint8_t form[kPersistedSize];
    WritePersistedForm(params, identifier, form);
    HRESULT hr = stream->Write(form, sizeof(form), nullptr);
    if (FAILED(hr)) return hr;
    engine_.SetDirty(!clearDirty);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReverbFilter::GetSizeMax(ULARGE_INTEGER* size) {
    if (size == nullptr) return E_POINTER;
    size->QuadPart = kPersistedSize;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReverbFilter::GetPresetCount(int* count) {
    if (count == nullptr) return E_POINTER;
    *count = kFactoryPresetCount;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReverbFilter::GetPresetName(int index, WCHAR* name, int length) {
    const FactoryPreset* preset = GetFactoryPreset(index);
    if (preset == nullptr) return E_INVALIDARG;
    if (name == nullptr) return E_POINTER;
    if (length <= 0) return E_INVALIDARG;
    WCHAR wide[sizeof(preset->name)];
    int converted = MultiByteToWideChar(CP_ACP, 0, preset->name, -1, wide, ARRAYSIZE(wide));
    if (converted <= 0) return E_FAIL;
    const int copied = converted < length ? converted : length;
    std::memcpy(name, wide, sizeof(WCHAR) * copied);
    name[copied - 1] = L'\0';
    return S_OK;
}

HRESULT STDMETHODCALLTYPE ReverbFilter::SelectPreset(int index) {
    const FactoryPreset* preset = GetFactoryPreset(index);
    if (preset == nullptr) return E_INVALIDARG;
    return engine_.SetAllParams(&preset->params);
}
