#include "HalfGainFilter.h"
#include <windows.h>
#include <mmreg.h>
#include "MediaType.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

namespace {

// 32-bit audio, plain or extensible: the test streams only ever carry float.
bool IsFloatFormat(const AM_MEDIA_TYPE& mt) {
    return IsEqualGUID(mt.majortype, MEDIATYPE_Audio) && IsEqualGUID(mt.formattype, FORMAT_WaveFormatEx) &&
           mt.cbFormat >= sizeof(WAVEFORMATEX) && mt.pbFormat &&
           reinterpret_cast<const WAVEFORMATEX*>(mt.pbFormat)->wBitsPerSample == 32;
}

}  // namespace

HalfGainFilter::HalfGainFilter(IUnknown* outer) : TransformFilter(L"Half Gain", outer, CLSID_HalfGainFilter) {}

HRESULT HalfGainFilter::CheckInputType(const AM_MEDIA_TYPE* mt) {
    return IsFloatFormat(*mt) ? S_OK : E_INVALIDARG;
}

HRESULT HalfGainFilter::CheckTransform(const AM_MEDIA_TYPE* in, const AM_MEDIA_TYPE* out) {
    return IsFloatFormat(*out) && MediaTypesEqual(*in, *out) ? S_OK : E_INVALIDARG;
}

HRESULT HalfGainFilter::GetMediaType(int position, AM_MEDIA_TYPE* mt) {
    if (!InputPin()->IsConnected()) return E_UNEXPECTED;
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    return CopyMediaType(mt, &InputPin()->CurrentMediaType());
}

HRESULT HalfGainFilter::DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) {
    *request = {2, 4096, 1, 0};  // what the stand-in source's allocator has
    ALLOCATOR_PROPERTIES actual = {};
    const HRESULT hr = alloc->SetProperties(request, &actual);
    if (SUCCEEDED(hr)) *request = actual;
    return hr;
}

HRESULT HalfGainFilter::SetMediaType(PIN_DIRECTION dir, const AM_MEDIA_TYPE*) {
    ++(dir == PINDIR_INPUT ? inputTypesSet : outputTypesSet);
    return S_OK;
}

HRESULT HalfGainFilter::StartStreaming() {
    ++starts;
    return S_OK;
}

HRESULT HalfGainFilter::StopStreaming() {
    ++stops;
    return S_OK;
}

HRESULT HalfGainFilter::Transform(IMediaSample* in, IMediaSample* out) {
    if (starts.load() == stops.load()) streamingWhileStopped = true;
    if (duringTransform) duringTransform();
    BYTE* src = nullptr;
    BYTE* dst = nullptr;
    in->GetPointer(&src);
    out->GetPointer(&dst);
    long bytes = in->GetActualDataLength();
    if (bytes > out->GetSize()) return E_FAIL;
    const float* from = reinterpret_cast<const float*>(src);
    float* to = reinterpret_cast<float*>(dst);
    for (long i = 0; i < bytes / 4; ++i) to[i] = from[i] * 0.5f;
    return out->SetActualDataLength(bytes);
}

HRESULT HalfGainFilter::EndOfStream() {
    ++endOfStreams;
    return TransformFilter::EndOfStream();
}

HRESULT HalfGainFilter::BeginFlush() {
    ++flushes;
    return TransformFilter::BeginFlush();
}
