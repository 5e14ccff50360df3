#include "FrameScreenshot.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "BmpFile.h"
#include "FrameCapture.h"
#include "PlaybackGraph.h"
#include "PropertyFrame.h"
#include "qvRuvodaR3.h"

namespace {

// The louder output channel since the last reading, in dB of full scale.
std::string OutputLevel(IReverbControl* control) {
    float levels[4] = {};
    if (FAILED(control->GetPeakLevels(levels))) return "unknown";
    const float peak = std::max(levels[2], levels[3]);
    if (peak <= 0.0f) return "-inf dB";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f dB", 20.0 * std::log10(peak));
    return text;
}

}  // namespace

FrameScreenshot::FrameScreenshot(std::string path, const PropertyFrame& frame, IReverbControl* control,
                                 const PlaybackGraph& graph)
    : path_(std::move(path)), frame_(frame), control_(control), graph_(graph) {}

void FrameScreenshot::Take() {
    HWND frame = FindFrameWindow(frame_.Caption());
    if (!frame) {
        error_ = "the property frame is not on the screen";
        // Ends the frame's message loop, wherever the frame went.
        PostQuitMessage(1);
        return;
    }
    if (Capture(frame) == 0) taken_ = true;
    PropSheet_PressButton(frame, PSBTN_CANCEL);
}

int FrameScreenshot::Capture(HWND frame) {
    const SIZE size = frame_.PageSize();
    RECT page{};
    if (!FindPageRect(frame, size, page)) {
        error_ = "the property frame shows no page of " + std::to_string(size.cx) + " x " + std::to_string(size.cy);
        return -1;
    }
    Picture picture;
    if (CaptureWindow(frame, picture, error_) != 0 || WriteBmp(path_, picture, error_) != 0) return -1;
    char text[160];
    std::snprintf(text, sizeof text, "frame %d x %d, page %ld x %ld at %ld, %ld; ", picture.width, picture.height,
                  size.cx, size.cy, page.left, page.top);
    report_ = "wrote " + path_ + ": " + text + "output peak " + OutputLevel(control_) + " after " +
              std::to_string(graph_.Loops()) + (graph_.Loops() == 1 ? " loop" : " loops");
    return 0;
}
