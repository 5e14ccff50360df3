#include "TransformInputPin.h"
#include "AutoLock.h"
#include "MemAllocator.h"
#include "TransformFilter.h"

TransformInputPin::TransformInputPin(TransformFilter* filter, const wchar_t* name)
    : TransformPin(filter, name, PINDIR_INPUT) {}

TransformInputPin::~TransformInputPin() {
    if (allocator_) allocator_->Release();
}

HRESULT STDMETHODCALLTYPE TransformInputPin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IMemInputPin)) {
        *out = static_cast<IMemInputPin*>(this);
        AddRef();
        return S_OK;
    }
    return TransformPin::QueryInterface(iid, out);
}

ULONG STDMETHODCALLTYPE TransformInputPin::AddRef() {
    return TransformPin::AddRef();
}

ULONG STDMETHODCALLTYPE TransformInputPin::Release() {
    return TransformPin::Release();
}

HRESULT STDMETHODCALLTYPE TransformInputPin::EndOfStream() {
    AutoLock lock(Filter()->StreamingLock());
    if (flushing_) return S_FALSE;
    if (Filter()->State() == State_Stopped) return VFW_E_WRONG_STATE;
    if (!Filter()->IsStreaming()) return S_OK;
    return Filter()->EndOfStream();
}

HRESULT STDMETHODCALLTYPE TransformInputPin::BeginFlush() {
    AutoLock lock(Filter()->FilterLock());
    flushing_ = true;
    // Downstream flushes first, so that a Receive blocked on delivery returns.
    return Filter()->BeginFlush();
}

HRESULT STDMETHODCALLTYPE TransformInputPin::EndFlush() {
    AutoLock lock(Filter()->FilterLock());
    HRESULT hr;
    {
        // Wait for a Receive still in progress before the stream may start again.
        AutoLock streaming(Filter()->StreamingLock());
        hr = Filter()->EndFlush();
        flushing_ = false;
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE TransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    return Filter()->NewSegment(start, stop, rate);
}

HRESULT STDMETHODCALLTYPE TransformInputPin::GetAllocator(IMemAllocator** alloc) {
    if (!alloc) return E_POINTER;
    AutoLock lock(Filter()->FilterLock());
    if (!allocator_) allocator_ = MemAllocator::Create();
    if (!allocator_) {
        *alloc = nullptr;
        return E_OUTOFMEMORY;
    }
    allocator_->AddRef();
    *alloc = allocator_;
    return S_OK;
}

// Read-only buffers are fine: a transform writes only into its own output samples.
HRESULT STDMETHODCALLTYPE TransformInputPin::NotifyAllocator(IMemAllocator* alloc, BOOL) {
    if (!alloc) return E_POINTER;
    AutoLock lock(Filter()->FilterLock());
    alloc->AddRef();
    if (allocator_) allocator_->Release();
    allocator_ = alloc;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TransformInputPin::Receive(IMediaSample* sample) {
    if (!sample) return E_POINTER;
    AutoLock lock(Filter()->StreamingLock());
    if (Filter()->State() == State_Stopped) return VFW_E_WRONG_STATE;
    if (flushing_) return S_FALSE;
    if (!Filter()->IsStreaming()) return VFW_E_NOT_CONNECTED;

    // Upstream may change the format in the stream; it must still be one we accept.
    AM_MEDIA_TYPE* changed = nullptr;
    if (sample->GetMediaType(&changed) == S_OK && changed) {
        HRESULT hr = CheckMediaType(changed) == S_OK ? SetCurrentMediaType(changed) : VFW_E_INVALIDMEDIATYPE;
        DeleteMediaType(changed);
        if (FAILED(hr)) return hr;
    }
    return Filter()->Receive(sample);
}

HRESULT STDMETHODCALLTYPE TransformInputPin::ReceiveMultiple(IMediaSample** samples, long count, long* done) {
    if (!samples || !done) return E_POINTER;
    *done = 0;
    HRESULT hr = S_OK;
    while (*done < count) {
        hr = Receive(samples[*done]);
        if (hr != S_OK) break;
        ++*done;
    }
    return hr;
}

HRESULT STDMETHODCALLTYPE TransformInputPin::ReceiveCanBlock() {
    return S_OK;
}

HRESULT TransformInputPin::CheckMediaType(const AM_MEDIA_TYPE* mt) {
    return Filter()->CheckInputPinMediaType(mt);
}

HRESULT TransformInputPin::GetMediaType(int, AM_MEDIA_TYPE*) {
    return VFW_S_NO_MORE_ITEMS;
}

HRESULT TransformInputPin::BreakConnect() {
    if (allocator_) {
        allocator_->Release();
        allocator_ = nullptr;
    }
    return TransformPin::BreakConnect();
}
