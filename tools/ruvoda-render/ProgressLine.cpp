#include "ProgressLine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {
constexpr double kQuietSeconds = 1.0;     // shorter renders show nothing
constexpr double kRefreshSeconds = 0.25;  // between rewrites of the line
}  // namespace

ProgressLine::ProgressLine(FrameSink& next, bool enabled, uint64_t expectedFrames,
                           uint32_t sampleRate, Show show, Clock clock)
    : next_(next), enabled_(enabled), expected_(expectedFrames), sampleRate_(sampleRate),
      show_(std::move(show)), clock_(std::move(clock)), started_(clock_()) {}

int ProgressLine::Write(const float* frames, uint32_t count, std::string& error) {
    if (next_.Write(frames, count, error) != 0) return -1;
    done_ += count;
    if (!enabled_ || expected_ == 0 || sampleRate_ == 0) return 0;
    const double now = clock_();
    const double elapsed = now - started_;
    if (elapsed < kQuietSeconds || (shownAt_ >= 0.0 && now - shownAt_ < kRefreshSeconds)) return 0;
    // The tail is known in advance, but a render may still run past it: never beyond 100 %.
    const double fraction = std::min(1.0, static_cast<double>(done_) / expected_);
    const double speed = static_cast<double>(done_) / sampleRate_ / elapsed;
    const double left = fraction > 0.0 ? elapsed * (1.0 - fraction) / fraction : 0.0;
    std::string text = Text(fraction, speed, left);
    const size_t width = text.size();
    if (width < shownWidth_) text.append(shownWidth_ - width, ' ');
    show_("\r" + text);
    shownWidth_ = std::max(shownWidth_, width);
    shownAt_ = now;
    return 0;
}

void ProgressLine::Finish() {
    if (shownWidth_ > 0) show_("\r" + std::string(shownWidth_, ' ') + "\r");
    shownWidth_ = 0;
}

std::string ProgressLine::Text(double fraction, double speed, double secondsLeft) {
    char text[96];
    std::snprintf(text, sizeof text, "ruvoda-render: %3.0f%%  %.1fx realtime  %.0f s left",
                  std::floor(fraction * 100.0), speed, std::ceil(secondsLeft));
    return text;
}

double ProgressLine::SteadySeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool StandardErrorIsTerminal() {
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}
