#include "ReverbFilter.h"

#include <new>

#include "AudioFormat.h"
#include "MediaType.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"
#include "qvRuvodaR3.h"

IUnknown* ReverbFilter::Create(IUnknown* outer, HRESULT* hr) {
    auto* filter = new (std::nothrow) ReverbFilter(outer);
    if (filter == nullptr) {
        *hr = E_OUTOFMEMORY;
        return nullptr;
    }
    return filter->NonDelegating();
}

ReverbFilter::ReverbFilter(IUnknown* outer)
    : TransformFilter(L"", outer, CLSID_RuvodaR3), engine_(Owner(), FilterLock()) {}

HRESULT STDMETHODCALLTYPE ReverbFilter::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IReverbControl))
        return GetInterface(static_cast<IReverbControl*>(&engine_), out);
    if (IsEqualIID(iid, IID_ISpecifyPropertyPages))
        return GetInterface(static_cast<ISpecifyPropertyPages*>(this), out);
    if (IsEqualIID(iid, IID_IPersistStream))
        return GetInterface(static_cast<IPersistStream*>(this), out);
    if (IsEqualIID(iid, IID_IFactoryPresets))
        return GetInterface(static_cast<IFactoryPresets*>(this), out);
    return TransformFilter::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE ReverbFilter::GetClassID(CLSID* clsid) {
    return TransformFilter::GetClassID(clsid);
}

int ReverbFilter::OutputChannels() {
    int stereo = engine_.GetStereoOutput();
    if (stereo < 0) {
        engine_.PutStereoOutput(1);
        stereo = 1;
    }
    return stereo != 0 ? 2 : 1;
}

HRESULT ReverbFilter::CheckInputType(const AM_MEDIA_TYPE* mt) {
    if (mt == nullptr) return E_POINTER;
    return IsSupportedInput(*mt) ? S_OK : E_INVALIDARG;
}

HRESULT ReverbFilter::CheckTransform(const AM_MEDIA_TYPE* in, const AM_MEDIA_TYPE* out) {
    if (in == nullptr || out == nullptr) return E_POINTER;
    return IsValidTransform(*in, *out, OutputChannels()) ? S_OK : E_INVALIDARG;
}

HRESULT ReverbFilter::GetMediaType(int position, AM_MEDIA_TYPE* mt) {
    if (mt == nullptr) return E_POINTER;
    if (!InputPin()->IsConnected()) return E_UNEXPECTED;
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    return MakeOutputType(InputPin()->CurrentMediaType(), OutputChannels(), mt);
}

HRESULT ReverbFilter::DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) {
    if (alloc == nullptr || request == nullptr) return E_POINTER;
    ALLOCATOR_PROPERTIES wanted = *request;
    IMemAllocator* upstream = InputPin()->IsConnected() ? InputPin()->Allocator() : nullptr;
    if (upstream != nullptr) {
        HRESULT hr = upstream->GetProperties(&wanted);
        if (FAILED(hr)) return hr;
    }
    if (inputFormat_.channels == 1 && OutputChannels() == 2) wanted.cbBuffer *= 2;
    if (wanted.cBuffers < 1) wanted.cBuffers = 1;
    if (wanted.cbAlign < 1) wanted.cbAlign = 1;

    ALLOCATOR_PROPERTIES granted = {};
    HRESULT hr = alloc->SetProperties(&wanted, &granted);
    if (FAILED(hr)) return hr;
    *request = granted;
    return granted.cbBuffer < 512 ? E_FAIL : S_OK;
}

HRESULT ReverbFilter::SetMediaType(PIN_DIRECTION dir, const AM_MEDIA_TYPE* mt) {
    if (mt == nullptr) return E_POINTER;
    WaveFormat format;
    if (!ReadWaveFormat(*mt, &format)) return E_INVALIDARG;
    const int which = dir == PINDIR_INPUT ? 0 : 1;
    WaveFormat& stored = which == 0 ? inputFormat_ : outputFormat_;
    stored = format;
    validBits_[which] = ValidBitsPerSample(*mt);
    engine_.SetConnectionFormat(which, &stored);
    engine_.Notify(which == 0 ? kNotifyCodeInputFormat : kNotifyCodeOutputFormat);
    return S_OK;
}

HRESULT ReverbFilter::BreakConnect(PIN_DIRECTION dir) {
    // A disconnected pin reports no format to the editor.
    engine_.SetConnectionFormat(dir == PINDIR_INPUT ? 0 : 1, nullptr);
    return S_OK;
}

HRESULT ReverbFilter::CompleteConnect(PIN_DIRECTION dir, IPin* /*receivePin*/) {
    if (dir != PINDIR_INPUT || !OutputPin()->IsConnected()) return S_OK;
    if (CheckTransform(&InputPin()->CurrentMediaType(), &OutputPin()->CurrentMediaType()) == S_OK)
        return S_OK;
    if (Graph() == nullptr) return VFW_E_NOT_IN_GRAPH;
    ReconnectOutput(nullptr);
    return S_OK;
}

HRESULT ReverbFilter::CheckInputPinMediaType(const AM_MEDIA_TYPE* mt) {
    HRESULT hr = CheckInputType(mt);
    if (FAILED(hr) || !OutputPin()->IsConnected()) return hr;
    if (CheckTransform(mt, &OutputPin()->CurrentMediaType()) == S_OK) return S_OK;
    // A new upstream format is accepted only when downstream can follow it.
    MediaType follow;
    hr = MakeOutputType(*mt, OutputChannels(), follow.Raw());
    if (FAILED(hr)) return hr;
    return OutputPin()->QueryAcceptDownstream(&follow.Get());
}

HRESULT STDMETHODCALLTYPE ReverbFilter::GetPages(CAUUID* pages) {
    if (pages == nullptr) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (pages->pElems == nullptr) return E_OUTOFMEMORY;
    pages->cElems = 1;
    pages->pElems[0] = CLSID_RuvodaR3Page;
    return S_OK;
}
