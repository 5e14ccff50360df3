#pragma once
#include <windows.h>

#include <dshow.h>
#include <qedit.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "FrameStream.h"
#include "RenderStats.h"

// The sample grabber's callback at the end of a render graph: turns every sample the filter
// delivers (16-, 24- or 32-bit integer or 32-bit float frames) into floats, counts them in the statistics
// and writes them to the sink. It runs on the graph's streaming thread; the thread that
// waits for the graph reads only Frames() and Failed() until the graph has stopped.
class SampleCollector : public ISampleGrabberCB {
public:
    SampleCollector(FrameSink& sink, RenderStats& stats, uint16_t channels, uint16_t bitsPerSample, bool isFloat);
    virtual ~SampleCollector() = default;

    // Frames taken so far: lets the waiting thread see progress.
    uint64_t Frames() const { return frames_.load(); }
    bool Failed() const { return failed_.load(); }
    // The first failure; read once the graph has stopped.
    std::string Error();

    // Lives on the stack of the render: the reference count is not what ends it.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SampleCB(double time, IMediaSample* sample) override;
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, LONG) override { return E_NOTIMPL; }

private:
    // Converts `length` bytes of whole frames into `frames`; 0, or -1 with `error` set.
    int Convert(const BYTE* bytes, long length, std::vector<float>& frames, std::string& error) const;
    void Fail(const std::string& error);

    FrameSink& sink_;
    RenderStats& stats_;
    const uint16_t channels_;
    const uint16_t bitsPerSample_;
    const bool isFloat_;
    std::vector<float> buffer_;
    std::atomic<uint64_t> frames_{0};
    std::atomic<bool> failed_{false};
    std::mutex errorLock_;
    std::string error_;
};
