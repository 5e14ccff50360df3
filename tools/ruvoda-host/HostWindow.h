#pragma once
#include <windows.h>

#include <string>

class FrameScreenshot;
class PlaybackGraph;

// A hidden window of the program on its user-interface thread. The graph's events and the
// screenshot's timer reach it through whichever message loop runs, the property frame's
// included, so that playback loops while the frame is open.
class HostWindow {
public:
    explicit HostWindow(PlaybackGraph& graph) : graph_(graph) {}
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // The message under which the graph reports its events to this window.
    static constexpr UINT kGraphEvent = WM_APP + 1;

    // 0, or -1 with `error` set.
    int Create(std::string& error);
    HWND Handle() const { return window_; }
    // Takes `shot` once, `seconds` from now.
    void Schedule(FrameScreenshot& shot, double seconds);

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    PlaybackGraph& graph_;
    FrameScreenshot* shot_ = nullptr;
    HWND window_ = nullptr;
};
