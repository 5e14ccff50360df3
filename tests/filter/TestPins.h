#pragma once
// Stand-ins for the filters around ours: an upstream pin that pushes prepared buffers into
// an input pin, and a downstream pin that records what it receives. Both live on the
// test's stack or heap; their reference counts are not used to end their lives, so they
// must outlive the filter they are connected to.
#include <windows.h>
#include <dshow.h>

#include <cstdint>
#include <vector>

#include "ByteVectors.h"
#include "WaveFormat.h"

// A media type with a plain wave format block, owning its memory.
struct AudioType {
    AudioType(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
    AudioType(const AudioType&) = delete;  // the type points at its own format block
    AudioType& operator=(const AudioType&) = delete;
    AM_MEDIA_TYPE mt = {};
    WAVEFORMATEX wave = {};
};

class SourcePin : public IPin {
public:
    SourcePin() = default;
    ~SourcePin();

    // Connects to `input` with `type`; the allocator it tells the input pin about has
    // buffers of `notifiedBytes`, while pushed samples come from one of `pushBytes`.
    HRESULT ConnectTo(IPin* input, const AM_MEDIA_TYPE& type, long notifiedBytes, long pushBytes);
    // Pushes one sample; `start`/`stop` null means no times; `type` is attached when given.
    HRESULT Push(const void* data, long bytes, const REFERENCE_TIME* start = nullptr,
                 const REFERENCE_TIME* stop = nullptr, bool discontinuity = false,
                 const AM_MEDIA_TYPE* type = nullptr);
    HRESULT SendEndOfStream();
    // Disconnects both sides and releases the allocators.
    void Unplug();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* dir) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EndOfStream() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE BeginFlush() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE EndFlush() override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return E_UNEXPECTED; }

    IMemInputPin* Input() const { return memInput_; }

private:
    IPin* connected_ = nullptr;
    IMemInputPin* memInput_ = nullptr;
    IMemAllocator* notified_ = nullptr;
    IMemAllocator* push_ = nullptr;
};

// What the downstream pin saw of one sample.
struct ReceivedSample {
    std::vector<uint8_t> data;
    bool timed = false;
    REFERENCE_TIME start = 0, stop = 0;
    bool discontinuity = false;
    bool typeAttached = false;
    WAVEFORMATEX attached = {};
};

class SinkPin : public IPin, public IMemInputPin {
public:
    SinkPin() = default;
    ~SinkPin();

    std::vector<ReceivedSample> samples;
    int endOfStreams = 0;
    bool acceptTypes = true;  // QueryAccept answer after connection
    WAVEFORMATEX connectedFormat = {};

    // The data of all received samples, in order.
    std::vector<uint8_t> AllBytes() const;
    std::vector<float> Floats() const { return FromBytes<float>(AllBytes()); }
    std::vector<int16_t> Int16s() const { return FromBytes<int16_t>(AllBytes()); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO* info) override;
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* dir) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE*) override { return acceptTypes ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EndOfStream() override;
    HRESULT STDMETHODCALLTYPE BeginFlush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EndFlush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

    HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator**) override { return VFW_E_NO_ALLOCATOR; }
    HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override;
    HRESULT STDMETHODCALLTYPE ReceiveMultiple(IMediaSample** samples, long count, long* done) override;
    HRESULT STDMETHODCALLTYPE ReceiveCanBlock() override { return S_FALSE; }

private:
    IPin* connected_ = nullptr;
};
