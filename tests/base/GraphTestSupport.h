#pragma once
// A real playback graph around HalfGainFilter: File Source (Async) -> WAVE Parser ->
// HalfGainFilter -> SampleGrabber -> Null Renderer, connected pin to pin.
#include <windows.h>
#include <dshow.h>
#include <wrl/client.h>
#include <string>
#include <vector>
#include "HalfGainFilter.h"
#include "SampleCollector.h"

using Microsoft::WRL::ComPtr;

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION dir);

class HalfGainGraph {
public:
    HalfGainGraph();
    // Builds and connects the graph over the WAV file; S_OK when every link is made.
    HRESULT Build(const std::wstring& wavPath);
    // Runs to EC_COMPLETE (S_OK), or reports the event or time-out that ended the wait.
    HRESULT RunToCompletion(long* eventCode);
    // Pauses and waits until every filter has.
    HRESULT Pause();
    HRESULT Stop();
    HRESULT Rewind();

    SampleCollector collector;  // first: outlives the grabber that calls it
    ComPtr<IGraphBuilder> graph;
    ComPtr<IBaseFilter> source, parser, grabber, renderer;
    HalfGainFilter* filter;  // counted by filterRef
    ComPtr<IBaseFilter> filterRef;
};
