#pragma once
#include <windows.h>

#include <string>

class PlaybackGraph;
class PropertyFrame;
struct IReverbControl;

// The --screenshot job: once the frame has been open for a while, writes its picture,
// notes what was going on and closes the frame, which ends the program.
class FrameScreenshot {
public:
    // `control`: the filter's parameter interface, whose output level tells that the audio
    // is playing while the picture is taken.
    FrameScreenshot(std::string path, const PropertyFrame& frame, IReverbControl* control,
                    const PlaybackGraph& graph);

    // Runs on the thread that shows the frame, inside the frame's message loop.
    void Take();

    bool Taken() const { return taken_; }
    // What was written: the file, the frame's size, where the page lies in it, the output
    // level and the loops played so far. Empty until taken.
    const std::string& Report() const { return report_; }
    // Why no picture was written; empty when one was, or none was tried yet.
    const std::string& Error() const { return error_; }

private:
    int Capture(HWND frame);

    std::string path_;
    const PropertyFrame& frame_;
    IReverbControl* control_;
    const PlaybackGraph& graph_;
    bool taken_ = false;
    std::string report_;
    std::string error_;
};
