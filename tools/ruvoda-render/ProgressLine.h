#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "FrameStream.h"

// A progress line for renders that take a while: passes the frames on to the real sink and,
// once the render has run for a second, shows how far it is, how fast it runs and the time
// left, rewriting one line a few times a second. Silent when not enabled (standard error
// is not a terminal) and for renders done within the second.
class ProgressLine : public FrameSink {
public:
    using Show = std::function<void(const std::string& text)>;
    using Clock = std::function<double()>;  // seconds from any fixed point

    // `expectedFrames` is the input's length plus the tail's.
    ProgressLine(FrameSink& next, bool enabled, uint64_t expectedFrames, uint32_t sampleRate,
                 Show show, Clock clock = SteadySeconds);

    int Write(const float* frames, uint32_t count, std::string& error) override;
    // Clears the line if one was shown, so that the summary line starts clean.
    void Finish();

    // "ruvoda-render:  42%  12.5x realtime  3 s left": the line without its start.
    static std::string Text(double fraction, double speed, double secondsLeft);
    static double SteadySeconds();

private:
    FrameSink& next_;
    const bool enabled_;
    const uint64_t expected_;
    const uint32_t sampleRate_;
    Show show_;
    Clock clock_;
    const double started_;
    double shownAt_ = -1.0;
    size_t shownWidth_ = 0;
    uint64_t done_ = 0;
};

// True when standard error goes to a terminal.
bool StandardErrorIsTerminal();
