#pragma once
#include <windows.h>

#include <dshow.h>
#include <wrl/client.h>

#include <string>

#include "GraphBuilding.h"

struct WavLayout;

// The graph a host plays a file through: File Source (Async), WAVE Parser, the reverb
// filter and the default audio renderer; where there is no audio device (the DirectSound
// renderer cannot be made or connected), the Null Renderer paced by the system clock, so
// that the audio still streams in real time. Playback loops: at completion it seeks back
// to the start.
class PlaybackGraph {
public:
    PlaybackGraph() = default;
    ~PlaybackGraph();
    PlaybackGraph(const PlaybackGraph&) = delete;
    PlaybackGraph& operator=(const PlaybackGraph&) = delete;

    // Plays the file at `path`, laid out as `layout`. Needs COM initialised on this thread.
    // 0, or -1 with `error` set.
    int Build(const std::string& path, const WavLayout& layout, IBaseFilter* reverb, std::string& error);
    // One line: the filters in order, the renderer taken and why.
    std::string Description() const;

    // Starts playing; the graph's events arrive at `window` as `message`, for HandleEvents.
    // 0, or -1 with `error` set.
    int Run(HWND window, UINT message, std::string& error);
    // Takes the waiting events; at completion starts the file again.
    void HandleEvents();
    // How many times playback has reached the end of the file.
    int Loops() const { return loops_; }
    void Stop();

private:
    int AddAudioRenderer(IBaseFilter* reverb, std::string& error);
    int AddNullRenderer(IBaseFilter* reverb, std::string& error);

    Microsoft::WRL::ComPtr<IGraphBuilder> graph_;
    Microsoft::WRL::ComPtr<IMediaControl> control_;
    Microsoft::WRL::ComPtr<IMediaEventEx> events_;
    SourceChain chain_;
    Microsoft::WRL::ComPtr<IBaseFilter> renderer_;
    std::string rendererName_;
    std::string fallbackReason_;  // why the audio renderer was not taken; empty when it was
    int loops_ = 0;
};
