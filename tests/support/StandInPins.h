#pragma once
// Stand-ins for the filters around one under test: an upstream pin that pushes prepared
// buffers into an input pin and a downstream pin that records what it receives. Their
// reference counts do not end their lives: they must outlive the filter they are
// connected to.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

// Answers what every stand-in answers alike; the rest is each pin's own.
class StandInPin : public IPin {
public:
    explicit StandInPin(PIN_DIRECTION direction) : direction_(direction) {}
    virtual ~StandInPin() = default;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE Disconnect() override;
    HRESULT STDMETHODCALLTYPE ConnectedTo(IPin** pin) override;
    HRESULT STDMETHODCALLTYPE ConnectionMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryPinInfo(PIN_INFO*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryDirection(PIN_DIRECTION* direction) override;
    HRESULT STDMETHODCALLTYPE QueryId(LPWSTR*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryInternalConnections(IPin**, ULONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Connect(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    // Nothing flushes or segments the source; the sink takes both as they come.
    HRESULT STDMETHODCALLTYPE BeginFlush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EndFlush() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME, REFERENCE_TIME, double) override { return S_OK; }

protected:
    HRESULT AnswerPin(REFIID iid, void** out);
    const PIN_DIRECTION direction_;
    IPin* connected_ = nullptr;
};

class SourcePin : public StandInPin {
public:
    SourcePin() : StandInPin(PINDIR_OUTPUT) {}
    ~SourcePin() override { Unplug(); }

    // Connects to `input` with `type`; the allocator it tells the input pin about has
    // buffers of `notifiedBytes`, while pushed samples come from one of `pushBytes`.
    HRESULT ConnectTo(IPin* input, const AM_MEDIA_TYPE& type, long notifiedBytes, long pushBytes);
    // Pushes one sample; `start`/`stop` null means no times, else a sync point; `type` is
    // attached when given.
    HRESULT Push(const void* data, long bytes, const REFERENCE_TIME* start = nullptr,
                 const REFERENCE_TIME* stop = nullptr, const AM_MEDIA_TYPE* type = nullptr);
    HRESULT SendEndOfStream() { return connected_ ? connected_->EndOfStream() : VFW_E_NOT_CONNECTED; }
    // Disconnects both sides and releases the allocators.
    void Unplug();

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override { return AnswerPin(iid, out); }
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin*, const AM_MEDIA_TYPE*) override { return E_UNEXPECTED; }
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EndOfStream() override { return E_UNEXPECTED; }

private:
    Microsoft::WRL::ComPtr<IMemInputPin> memInput_;
    Microsoft::WRL::ComPtr<IMemAllocator> notified_, push_;
};

// What the downstream pin saw of one sample.
struct ReceivedSample {
    std::vector<uint8_t> data;
    bool timed = false, syncPoint = false;
    REFERENCE_TIME start = 0, stop = 0;
    bool typeAttached = false;
    WAVEFORMATEX attached = {};
};

class SinkPin : public StandInPin, public IMemInputPin {
public:
    SinkPin() : StandInPin(PINDIR_INPUT) {}

    std::vector<ReceivedSample> samples;
    int endOfStreams = 0;
    bool acceptTypes = true;  // QueryAccept's answer, and whether a connection is taken

    // The data of all received samples, in order, as bytes or as whole floats.
    std::vector<uint8_t> AllBytes() const;
    std::vector<float> Floats() const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) override;
    HRESULT STDMETHODCALLTYPE QueryAccept(const AM_MEDIA_TYPE*) override { return acceptTypes ? S_OK : S_FALSE; }
    HRESULT STDMETHODCALLTYPE EndOfStream() override {
        ++endOfStreams;
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator**) override { return VFW_E_NO_ALLOCATOR; }
    HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator*, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override;
    HRESULT STDMETHODCALLTYPE ReceiveMultiple(IMediaSample**, long, long*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReceiveCanBlock() override { return S_FALSE; }
};
