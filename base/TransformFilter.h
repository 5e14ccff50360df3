#pragma once
// A filter with one input and one output pin that turns each input sample into output
// samples. Holds the filter lock (state changes, connections) and the streaming lock
// (Receive, EndOfStream, flushing against stopping); a concrete filter overrides the
// media-type checks, the buffer sizing and the per-sample work.
#include <windows.h>
#include <dshow.h>
#include <atomic>
#include <string>
#include "UnknownObject.h"

class TransformPin;
class TransformInputPin;
class TransformOutputPin;

class TransformFilter : public UnknownObject, public IBaseFilter {
public:
    TransformFilter(const wchar_t* name, IUnknown* outer, REFCLSID clsid);
    ~TransformFilter() override;

    FORWARD_IUNKNOWN_TO_OWNER
    // Answers IBaseFilter, IMediaFilter and IPersist; derived filters add theirs first.
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;

    // IPersist
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    // IMediaFilter
    HRESULT STDMETHODCALLTYPE Stop() override;
    HRESULT STDMETHODCALLTYPE Pause() override;
    HRESULT STDMETHODCALLTYPE Run(REFERENCE_TIME start) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    HRESULT STDMETHODCALLTYPE SetSyncSource(IReferenceClock* clock) override;
    HRESULT STDMETHODCALLTYPE GetSyncSource(IReferenceClock** clock) override;
    // IBaseFilter
    HRESULT STDMETHODCALLTYPE EnumPins(IEnumPins** pins) override;
    HRESULT STDMETHODCALLTYPE FindPin(LPCWSTR id, IPin** pin) override;
    HRESULT STDMETHODCALLTYPE QueryFilterInfo(FILTER_INFO* info) override;
    HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    HRESULT STDMETHODCALLTYPE QueryVendorInfo(LPWSTR* info) override;

    // --- What a concrete filter decides ---
    virtual HRESULT CheckInputType(const AM_MEDIA_TYPE* mt) = 0;
    virtual HRESULT CheckTransform(const AM_MEDIA_TYPE* in, const AM_MEDIA_TYPE* out) = 0;
    // Output type number `position` (0-based), filled into mt which the caller frees with
    // FreeMediaType; VFW_S_NO_MORE_ITEMS past the last one.
    virtual HRESULT GetMediaType(int position, AM_MEDIA_TYPE* mt) = 0;
    // Sets the output allocator's properties (request holds the downstream's wishes on entry)
    // and leaves the granted ones in request.
    virtual HRESULT DecideBufferSize(IMemAllocator* alloc, ALLOCATOR_PROPERTIES* request) = 0;

    // --- Hooks with defaults ---
    virtual HRESULT SetMediaType(PIN_DIRECTION dir, const AM_MEDIA_TYPE* mt);    // S_OK
    virtual HRESULT CheckConnect(PIN_DIRECTION dir, IPin* pin);                  // S_OK
    virtual HRESULT BreakConnect(PIN_DIRECTION dir);                             // S_OK
    virtual HRESULT CompleteConnect(PIN_DIRECTION dir, IPin* receivePin);        // S_OK
    // Called under the filter lock when streaming starts (Stop -> Pause/Run with both pins
    // connected) and when it ends (-> Stop); once each per run.
    virtual HRESULT StartStreaming();                                            // S_OK
    virtual HRESULT StopStreaming();                                             // S_OK
    // On the streaming thread, under the streaming lock.
    virtual HRESULT Receive(IMediaSample* sample);  // Transform into one delivery buffer, deliver
    virtual HRESULT Transform(IMediaSample* in, IMediaSample* out);             // E_INVALIDARG
    virtual HRESULT EndOfStream();                  // passes end-of-stream downstream
    virtual HRESULT BeginFlush();                   // passes downstream
    virtual HRESULT EndFlush();                     // passes downstream
    virtual HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);  // passes downstream
    // The input pin's media-type check; CheckInputType by default.
    virtual HRESULT CheckInputPinMediaType(const AM_MEDIA_TYPE* mt);
    // Creates both pins on the first call ("Input", then "Output"); 0 = input, 1 = output,
    // null otherwise. An override stores its pins in inputPin_ and outputPin_.
    virtual TransformPin* GetPin(int n);
    virtual int PinCount() { return 2; }

    // Asks the graph to reconnect the output pin with mt (null: any type).
    HRESULT ReconnectOutput(const AM_MEDIA_TYPE* mt);

    TransformInputPin* InputPin();
    TransformOutputPin* OutputPin();
    CRITICAL_SECTION* FilterLock() { return &filterLock_; }
    CRITICAL_SECTION* StreamingLock() { return &streamingLock_; }
    IFilterGraph* Graph() const { return graph_; }
    FILTER_STATE State() const { return static_cast<FILTER_STATE>(state_.load()); }
    // Between a successful StartStreaming and its StopStreaming; only then do samples and
    // end-of-stream reach Receive and EndOfStream.
    bool IsStreaming() const { return streaming_.load(); }
    IReferenceClock* Clock() const { return clock_; }

protected:
    TransformInputPin* inputPin_ = nullptr;
    TransformOutputPin* outputPin_ = nullptr;

private:
    HRESULT StartIfStopped();

    CRITICAL_SECTION filterLock_;
    CRITICAL_SECTION streamingLock_;
    std::atomic<int> state_{State_Stopped};
    std::atomic<bool> streaming_{false};  // StartStreaming succeeded and StopStreaming is owed
    IFilterGraph* graph_ = nullptr;  // not counted: the graph owns us
    IReferenceClock* clock_ = nullptr;
    std::wstring name_;
    CLSID clsid_;
};
