#include "TransformOutputPin.h"
#include "MemAllocator.h"
#include "TransformFilter.h"
#include "TransformInputPin.h"

TransformOutputPin::TransformOutputPin(TransformFilter* filter, const wchar_t* name)
    : TransformPin(filter, name, PINDIR_OUTPUT), seeking_(this, filter) {}

TransformOutputPin::~TransformOutputPin() {
    if (allocator_) allocator_->Release();
    if (downstream_) downstream_->Release();
}

HRESULT STDMETHODCALLTYPE TransformOutputPin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IMediaSeeking)) {
        *out = static_cast<IMediaSeeking*>(&seeking_);
        AddRef();
        return S_OK;
    }
    return TransformPin::QueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE TransformOutputPin::EndOfStream() {
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE TransformOutputPin::BeginFlush() {
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE TransformOutputPin::EndFlush() {
    return E_UNEXPECTED;
}

HRESULT STDMETHODCALLTYPE TransformOutputPin::NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) {
    return E_UNEXPECTED;
}

HRESULT TransformOutputPin::CheckMediaType(const AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    TransformInputPin* input = Filter()->InputPin();
    if (!input || !input->IsConnected()) return VFW_E_NOT_CONNECTED;
    return Filter()->CheckTransform(&input->CurrentMediaType(), mt);
}

HRESULT TransformOutputPin::GetMediaType(int position, AM_MEDIA_TYPE* mt) {
    return Filter()->GetMediaType(position, mt);
}

HRESULT TransformOutputPin::CompleteConnect(IPin* receivePin) {
    IMemInputPin* input = nullptr;
    HRESULT hr = receivePin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
    if (FAILED(hr)) return VFW_E_NO_TRANSPORT;
    hr = DecideAllocator(input);
    if (FAILED(hr)) {
        input->Release();
        return hr;
    }
    downstream_ = input;
    return TransformPin::CompleteConnect(receivePin);
}

HRESULT TransformOutputPin::DecideAllocator(IMemInputPin* input) {
    ALLOCATOR_PROPERTIES request = {};
    input->GetAllocatorRequirements(&request);  // optional: zeros when the pin has no wishes

    // Our own allocator first, as its buffers change hands without a system call; the
    // downstream pin's own when that pin refuses ours.
    IMemAllocator* alloc = MemAllocator::Create();
    if (!alloc) return E_OUTOFMEMORY;
    HRESULT hr = TryAllocator(input, alloc, request);
    if (SUCCEEDED(hr)) return S_OK;
    alloc->Release();
    alloc = nullptr;
    if (FAILED(input->GetAllocator(&alloc)) || !alloc) return hr;
    hr = TryAllocator(input, alloc, request);
    if (FAILED(hr)) alloc->Release();
    return hr;
}

HRESULT TransformOutputPin::TryAllocator(IMemInputPin* input, IMemAllocator* alloc, ALLOCATOR_PROPERTIES request) {
    HRESULT hr = Filter()->DecideBufferSize(alloc, &request);
    if (FAILED(hr)) return hr;
    hr = input->NotifyAllocator(alloc, FALSE);
    if (FAILED(hr)) return hr;
    allocator_ = alloc;  // takes over the caller's reference
    return S_OK;
}

HRESULT TransformOutputPin::BreakConnect() {
    if (allocator_) {
        allocator_->Decommit();
        allocator_->Release();
        allocator_ = nullptr;
    }
    if (downstream_) {
        downstream_->Release();
        downstream_ = nullptr;
    }
    return TransformPin::BreakConnect();
}

HRESULT TransformOutputPin::GetDeliveryBuffer(IMediaSample** out, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                              DWORD flags) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!allocator_) return VFW_E_NO_ALLOCATOR;
    return allocator_->GetBuffer(out, start, stop, flags);
}

HRESULT TransformOutputPin::Deliver(IMediaSample* sample) {
    if (!downstream_) return VFW_E_NOT_CONNECTED;
    return downstream_->Receive(sample);
}

HRESULT TransformOutputPin::DeliverEndOfStream() {
    IPin* pin = ConnectedPin();
    return pin ? pin->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT TransformOutputPin::DeliverBeginFlush() {
    IPin* pin = ConnectedPin();
    return pin ? pin->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT TransformOutputPin::DeliverEndFlush() {
    IPin* pin = ConnectedPin();
    return pin ? pin->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT TransformOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
    IPin* pin = ConnectedPin();
    return pin ? pin->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}

HRESULT TransformOutputPin::QueryAcceptDownstream(const AM_MEDIA_TYPE* mt) {
    IPin* pin = ConnectedPin();
    return pin ? pin->QueryAccept(mt) : VFW_E_NOT_CONNECTED;
}

HRESULT TransformOutputPin::CommitAllocator() {
    return allocator_ ? allocator_->Commit() : VFW_E_NO_ALLOCATOR;
}

HRESULT TransformOutputPin::DecommitAllocator() {
    return allocator_ ? allocator_->Decommit() : S_OK;
}
