#pragma once
// The input pin: accepts what the filter's CheckInputPinMediaType accepts, takes samples
// through IMemInputPin on the upstream thread and hands them to the filter.
#include "TransformPin.h"

class TransformInputPin : public TransformPin, public IMemInputPin {
public:
    TransformInputPin(TransformFilter* filter, const wchar_t* name);
    ~TransformInputPin() override;

    // IUnknown for both interfaces: adds IMemInputPin.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IPin: stream control from upstream, routed to the filter. End-of-stream is dropped
    // (S_OK) while the filter does not stream.
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    HRESULT STDMETHODCALLTYPE BeginFlush() override;
    HRESULT STDMETHODCALLTYPE EndFlush() override;
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // IMemInputPin
    HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator** alloc) override;
    HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator* alloc, BOOL readOnly) override;
    HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override;
    // Refused with VFW_E_WRONG_STATE while stopped, S_FALSE while flushing and
    // VFW_E_NOT_CONNECTED while the filter does not stream (its output is unconnected).
    HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override;
    HRESULT STDMETHODCALLTYPE ReceiveMultiple(IMediaSample** samples, long count, long* done) override;
    HRESULT STDMETHODCALLTYPE ReceiveCanBlock() override;

    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override;
    // An input pin has no preferred types: the upstream pin proposes.
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE* mt) override;

    // The allocator upstream notified (not counted for the caller).
    IMemAllocator* Allocator() const { return allocator_; }
    bool IsFlushing() const { return flushing_; }

protected:
    HRESULT BreakConnect() override;

private:
    IMemAllocator* allocator_ = nullptr;
    volatile bool flushing_ = false;
};
