#pragma once
// A real playback graph of the platform's filters around one filter under test: File
// Source (Async) -> WAVE Parser -> the filter -> SampleGrabber -> Null Renderer, without a
// clock, collecting what the filter delivers as floats.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>

#include <string>
#include <vector>

#include "FrameStream.h"
#include "GraphBuilding.h"
#include "RenderStats.h"
#include "SampleCollector.h"

// Every float delivered, and how the samples carrying them were stamped.
class GraphCollector : public SampleCollector, private FrameSink {
public:
    // Samples are read as `channels` x `bits` (float when `isFloat`).
    GraphCollector(uint16_t channels, uint16_t bits, bool isFloat);
    HRESULT STDMETHODCALLTYPE SampleCB(double time, IMediaSample* sample) override;

    void Clear();

    std::vector<float> values;
    int samples = 0;
    int wellTimed = 0;  // stamped right after the previous one (the first at 0)

private:
    int Write(const float* frames, uint32_t count, std::string& error) override;
    const uint16_t channels_;
    RenderStats stats_;
    REFERENCE_TIME lastStop_ = 0;
};

class TestGraph {
public:
    // Builds and connects the graph over the WAVE file at `path`; S_OK when every link is made.
    HRESULT Build(const std::string& path, IBaseFilter* filter, std::string& error);
    // Runs until the graph reports an event that ends the stream: S_OK for EC_COMPLETE.
    HRESULT RunToCompletion(long* eventCode);
    HRESULT Pause();  // and waits until every filter has
    HRESULT Stop() { return control->Stop(); }
    HRESULT Rewind();

    GraphCollector* collector = nullptr;  // set by the test before Build; outlives the graph
    Microsoft::WRL::ComPtr<IGraphBuilder> graph;
    SourceChain chain;
    Microsoft::WRL::ComPtr<IBaseFilter> grabber, renderer;
    Microsoft::WRL::ComPtr<IMediaControl> control;
    Microsoft::WRL::ComPtr<IMediaEvent> events;
    Microsoft::WRL::ComPtr<IMediaSeeking> seeking;
};

// Writes `bytes` to a new file in the temporary folder, removed again when this goes.
class TempFile {
public:
    explicit TempFile(const std::string& bytes);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    bool Written() const { return written_; }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
    bool written_ = false;
};
