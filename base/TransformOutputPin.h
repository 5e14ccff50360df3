#pragma once
// The output pin: proposes the filter's output types, negotiates the allocator with the
// downstream input pin and delivers samples and stream control downstream.
#include "SeekingPassThrough.h"
#include "TransformPin.h"

class TransformOutputPin : public TransformPin {
public:
    TransformOutputPin(TransformFilter* filter, const wchar_t* name);
    ~TransformOutputPin() override;

    // IUnknown: adds IMediaSeeking, passed upstream.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;

    // IPin: an output pin receives no stream control; E_UNEXPECTED.
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    HRESULT STDMETHODCALLTYPE BeginFlush() override;
    HRESULT STDMETHODCALLTYPE EndFlush() override;
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // CheckTransform against the input's type; VFW_E_NOT_CONNECTED before the input is.
    HRESULT CheckMediaType(const AM_MEDIA_TYPE* mt) override;
    // The filter's GetMediaType.
    HRESULT GetMediaType(int position, AM_MEDIA_TYPE* mt) override;

    HRESULT GetDeliveryBuffer(IMediaSample** out, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    HRESULT Deliver(IMediaSample* sample);
    HRESULT DeliverEndOfStream();
    HRESULT DeliverBeginFlush();
    HRESULT DeliverEndFlush();
    HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);
    // The downstream pin's QueryAccept; VFW_E_NOT_CONNECTED when unconnected.
    HRESULT QueryAcceptDownstream(const AM_MEDIA_TYPE* mt);

    // Called by the filter on Stop -> Pause and on -> Stop.
    HRESULT CommitAllocator();
    HRESULT DecommitAllocator();

    // The negotiated allocator (not counted for the caller).
    IMemAllocator* Allocator() const { return allocator_; }

protected:
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;

private:
    HRESULT DecideAllocator(IMemInputPin* input);
    HRESULT TryAllocator(IMemInputPin* input, IMemAllocator* alloc, ALLOCATOR_PROPERTIES request);

    SeekingPassThrough seeking_;
    IMemInputPin* downstream_ = nullptr;
    IMemAllocator* allocator_ = nullptr;
};
