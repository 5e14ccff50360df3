#include "PlaybackGraph.h"

#include "GraphClasses.h"

using Microsoft::WRL::ComPtr;

namespace {

const wchar_t kAudioRendererName[] = L"Default DirectSound Device";
const wchar_t kNullRendererName[] = L"Null Renderer";

std::string Narrow(const wchar_t* text) {
    return std::string(text, text + wcslen(text));
}

}  // namespace

PlaybackGraph::~PlaybackGraph() {
    Stop();
}

int PlaybackGraph::Build(const std::string& path, const WavLayout& layout, IBaseFilter* reverb,
                         std::string& error) {
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(graph_.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) return GraphFailure(error, "the platform's filter graph is not available", hr);
    hr = graph_->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control_.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = graph_->QueryInterface(IID_IMediaEventEx, reinterpret_cast<void**>(events_.GetAddressOf()));
    if (FAILED(hr)) return GraphFailure(error, "the filter graph offers no playback control", hr);
    hr = graph_->AddFilter(reverb, kReverbFilterName);
    if (FAILED(hr)) return GraphFailure(error, "cannot add the reverb filter to the graph", hr);
    if (BuildSourceChain(graph_.Get(), path, layout, reverb, "", chain_, error) != 0) return -1;
    std::string reason;
    if (AddAudioRenderer(reverb, reason) == 0) return 0;
    fallbackReason_ = reason;
    return AddNullRenderer(reverb, error);
}

int PlaybackGraph::AddAudioRenderer(IBaseFilter* reverb, std::string& error) {
    if (AddPlatformFilter(graph_.Get(), CLSID_DSoundRender, kAudioRendererName, renderer_, error) != 0) {
        if (renderer_) graph_->RemoveFilter(renderer_.Get());
        renderer_.Reset();
        return -1;
    }
    const HRESULT hr = ConnectFilters(graph_.Get(), reverb, renderer_.Get());
    if (FAILED(hr)) {
        graph_->RemoveFilter(renderer_.Get());
        renderer_.Reset();
        return GraphFailure(error, "the default audio renderer does not connect", hr);
    }
    rendererName_ = Narrow(kAudioRendererName);
    return 0;
}

int PlaybackGraph::AddNullRenderer(IBaseFilter* reverb, std::string& error) {
    if (AddPlatformFilter(graph_.Get(), kClsidNullRenderer, kNullRendererName, renderer_, error) != 0) return -1;
    HRESULT hr = ConnectFilters(graph_.Get(), reverb, renderer_.Get());
    if (FAILED(hr)) return GraphFailure(error, "cannot connect the reverb filter's output", hr);
    // The Null Renderer has no clock of its own; without one it would play as fast as it can.
    ComPtr<IReferenceClock> clock;
    ComPtr<IMediaFilter> timing;
    hr = CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                          reinterpret_cast<void**>(clock.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = graph_.As(&timing);
    if (SUCCEEDED(hr)) hr = timing->SetSyncSource(clock.Get());
    if (FAILED(hr)) return GraphFailure(error, "the filter graph cannot take the system clock", hr);
    rendererName_ = Narrow(kNullRendererName) + " on the system clock";
    return 0;
}

std::string PlaybackGraph::Description() const {
    std::string text = "File Source (Async) -> WAVE Parser -> " + Narrow(kReverbFilterName) + " -> " + rendererName_;
    if (!fallbackReason_.empty()) text += " (no audio device: " + fallbackReason_ + ")";
    return text;
}

int PlaybackGraph::Run(HWND window, UINT message, std::string& error) {
    HRESULT hr = events_->SetNotifyWindow(reinterpret_cast<OAHWND>(window), message, 0);
    if (FAILED(hr)) return GraphFailure(error, "the filter graph cannot report its events", hr);
    hr = control_->Run();
    if (FAILED(hr)) {
        control_->Stop();
        return GraphFailure(error, "the filter graph does not start", hr);
    }
    return 0;
}

void PlaybackGraph::HandleEvents() {
    long code = 0;
    LONG_PTR first = 0, second = 0;
    while (events_->GetEvent(&code, &first, &second, 0) == S_OK) {
        events_->FreeEventParams(code, first, second);
        if (code != EC_COMPLETE) continue;
        ++loops_;
        ComPtr<IMediaSeeking> seeking;
        LONGLONG start = 0;
        if (SUCCEEDED(graph_.As(&seeking)))
            seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    }
}

void PlaybackGraph::Stop() {
    if (!control_) return;
    control_->Stop();
    events_->SetNotifyWindow(0, 0, 0);
}
