#include "TransformFilter.h"
#include <new>
#include "AutoLock.h"
#include "PinEnumerator.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

TransformFilter::TransformFilter(const wchar_t* name, IUnknown* outer, REFCLSID clsid)
    : UnknownObject(outer), name_(name ? name : L""), clsid_(clsid) {
    InitializeCriticalSection(&filterLock_);
    InitializeCriticalSection(&streamingLock_);
}

TransformFilter::~TransformFilter() {
    delete inputPin_;
    delete outputPin_;
    if (clock_) clock_->Release();
    DeleteCriticalSection(&streamingLock_);
    DeleteCriticalSection(&filterLock_);
}

HRESULT STDMETHODCALLTYPE TransformFilter::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IBaseFilter)) return GetInterface(static_cast<IBaseFilter*>(this), out);
    if (IsEqualIID(iid, IID_IMediaFilter)) return GetInterface(static_cast<IMediaFilter*>(this), out);
    if (IsEqualIID(iid, IID_IPersist)) return GetInterface(static_cast<IPersist*>(this), out);
    return UnknownObject::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE TransformFilter::GetClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = clsid_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::Stop() {
    AutoLock lock(&filterLock_);
    if (State() == State_Stopped) return S_OK;
    // New samples are refused from here on; releasing the output buffers wakes a Receive
    // waiting for one, so the streaming lock below is not held for long.
    state_ = State_Stopped;
    if (outputPin_) outputPin_->DecommitAllocator();
    HRESULT hr = S_OK;
    AutoLock streaming(&streamingLock_);
    if (streaming_) {
        streaming_ = false;
        hr = StopStreaming();
    }
    return hr;
}

HRESULT TransformFilter::StartIfStopped() {
    if (State() != State_Stopped) return S_OK;
    TransformInputPin* input = InputPin();
    TransformOutputPin* output = OutputPin();
    bool inputConnected = input && input->IsConnected();
    bool outputConnected = output && output->IsConnected();
    if (inputConnected && outputConnected) {
        HRESULT hr = output->CommitAllocator();
        if (FAILED(hr)) return hr;
        hr = StartStreaming();
        if (FAILED(hr)) {
            output->DecommitAllocator();
            return hr;
        }
        streaming_ = true;
    } else if (outputConnected) {
        // Nothing will ever come in: let downstream finish at once.
        output->DeliverEndOfStream();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::Pause() {
    AutoLock lock(&filterLock_);
    HRESULT hr = StartIfStopped();
    if (FAILED(hr)) return hr;
    state_ = State_Paused;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::Run(REFERENCE_TIME) {
    AutoLock lock(&filterLock_);
    HRESULT hr = StartIfStopped();
    if (FAILED(hr)) return hr;
    state_ = State_Running;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::GetState(DWORD, FILTER_STATE* state) {
    if (!state) return E_POINTER;
    *state = State();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::SetSyncSource(IReferenceClock* clock) {
    AutoLock lock(&filterLock_);
    if (clock) clock->AddRef();
    if (clock_) clock_->Release();
    clock_ = clock;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::GetSyncSource(IReferenceClock** clock) {
    if (!clock) return E_POINTER;
    AutoLock lock(&filterLock_);
    *clock = clock_;
    if (clock_) clock_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::EnumPins(IEnumPins** pins) {
    if (!pins) return E_POINTER;
    auto* e = new (std::nothrow) PinEnumerator(this, 0);
    if (!e) {
        *pins = nullptr;
        return E_OUTOFMEMORY;
    }
    return e->NonDelegatingQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(pins));
}

HRESULT STDMETHODCALLTYPE TransformFilter::FindPin(LPCWSTR id, IPin** pin) {
    if (!id || !pin) return E_POINTER;
    for (int i = 0; i < PinCount(); ++i) {
        TransformPin* p = GetPin(i);
        if (p && p->Name() == id) {
            p->AddRef();
            *pin = p;
            return S_OK;
        }
    }
    *pin = nullptr;
    return VFW_E_NOT_FOUND;
}

HRESULT STDMETHODCALLTYPE TransformFilter::QueryFilterInfo(FILTER_INFO* info) {
    if (!info) return E_POINTER;
    // No lock, as for the pins' connection queries: the name changes only on joining a graph.
    lstrcpynW(info->achName, name_.c_str(), MAX_FILTER_NAME);
    info->pGraph = graph_;
    if (graph_) graph_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
    AutoLock lock(&filterLock_);
    graph_ = graph;
    // The graph's name for us replaces ours while we are in it.
    if (graph && name) name_ = name;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformFilter::QueryVendorInfo(LPWSTR* info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT TransformFilter::SetMediaType(PIN_DIRECTION, const AM_MEDIA_TYPE*) {
    return S_OK;
}

HRESULT TransformFilter::CheckConnect(PIN_DIRECTION, IPin*) {
    return S_OK;
}

HRESULT TransformFilter::BreakConnect(PIN_DIRECTION) {
    return S_OK;
}

HRESULT TransformFilter::CompleteConnect(PIN_DIRECTION, IPin*) {
    return S_OK;
}

HRESULT TransformFilter::StartStreaming() {
    return S_OK;
}

HRESULT TransformFilter::StopStreaming() {
    return S_OK;
}

HRESULT TransformFilter::Receive(IMediaSample* sample) {
    TransformOutputPin* output = OutputPin();
    if (!output) return E_UNEXPECTED;
    REFERENCE_TIME start = 0, stop = 0;
    bool timed = SUCCEEDED(sample->GetTime(&start, &stop));
    IMediaSample* out = nullptr;
    HRESULT hr = output->GetDeliveryBuffer(&out, timed ? &start : nullptr, timed ? &stop : nullptr, 0);
    if (FAILED(hr)) return hr;
    out->SetTime(timed ? &start : nullptr, timed ? &stop : nullptr);
    out->SetSyncPoint(sample->IsSyncPoint() == S_OK);
    out->SetDiscontinuity(sample->IsDiscontinuity() == S_OK);
    out->SetPreroll(sample->IsPreroll() == S_OK);
    hr = Transform(sample, out);
    if (SUCCEEDED(hr)) hr = output->Deliver(out);
    out->Release();
    return hr;
}

HRESULT TransformFilter::Transform(IMediaSample*, IMediaSample*) {
    return E_INVALIDARG;
}

HRESULT TransformFilter::EndOfStream() {
    TransformOutputPin* output = OutputPin();
    return output ? output->DeliverEndOfStream() : S_OK;
}

HRESULT TransformFilter::BeginFlush() {
    TransformOutputPin* output = OutputPin();
    return output ? output->DeliverBeginFlush() : S_OK;
}

HRESULT TransformFilter::EndFlush() {
    TransformOutputPin* output = OutputPin();
    return output ? output->DeliverEndFlush() : S_OK;
}

HRESULT TransformFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    TransformOutputPin* output = OutputPin();
    return output ? output->DeliverNewSegment(start, stop, rate) : S_OK;
}

HRESULT TransformFilter::CheckInputPinMediaType(const AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    return CheckInputType(mt);
}

TransformPin* TransformFilter::GetPin(int n) {
    if (!inputPin_ && !outputPin_) {
        inputPin_ = new (std::nothrow) TransformInputPin(this, L"Input");
        outputPin_ = new (std::nothrow) TransformOutputPin(this, L"Output");
    }
    if (n == 0) return inputPin_;
    if (n == 1) return outputPin_;
    return nullptr;
}

TransformInputPin* TransformFilter::InputPin() {
    GetPin(0);
    return inputPin_;
}

TransformOutputPin* TransformFilter::OutputPin() {
    GetPin(1);
    return outputPin_;
}

HRESULT TransformFilter::ReconnectOutput(const AM_MEDIA_TYPE* mt) {
    if (!graph_) return VFW_E_NOT_IN_GRAPH;
    TransformOutputPin* output = OutputPin();
    if (!output) return E_UNEXPECTED;
    IFilterGraph2* graph2 = nullptr;
    HRESULT hr = graph_->QueryInterface(IID_IFilterGraph2, reinterpret_cast<void**>(&graph2));
    if (FAILED(hr)) return hr;
    hr = graph2->ReconnectEx(output, mt);
    graph2->Release();
    return hr;
}
