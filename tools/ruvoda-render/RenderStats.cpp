#include "RenderStats.h"

#include <cmath>
#include <cstdio>
#include <string>

void RenderStats::Start(uint32_t sampleRate, int inputChannels, int outputChannels) {
    *this = RenderStats();
    sampleRate_ = sampleRate;
    in_.channels = inputChannels;
    out_.channels = outputChannels;
    started_ = std::chrono::steady_clock::now();
}

void RenderStats::Stop() {
    seconds_ = std::chrono::duration<double>(std::chrono::steady_clock::now() - started_).count();
}

void RenderStats::AddInput(const float* frames, uint32_t count) { Add(in_, frames, count); }

void RenderStats::AddOutput(const float* frames, uint32_t count) { Add(out_, frames, count); }

void RenderStats::Add(Side& side, const float* frames, uint32_t count) {
    const int channels = side.channels;
    side.frames += count;
    for (uint32_t f = 0; f < count; ++f) {
        for (int c = 0; c < channels; ++c) {
            const float m = std::fabs(frames[f * channels + c]);
            if (m > side.peak[c]) side.peak[c] = m;
            if (m > 1.0f) ++side.overloads;
        }
    }
}

std::string RenderStats::Peaks(const Side& side) {
    if (!side.measured) return " n/a";
    std::string text;
    for (int c = 0; c < side.channels; ++c) {
        char buf[32];
        if (side.peak[c] > 0.0f)
            std::snprintf(buf, sizeof buf, " %.1f", 20.0 * std::log10(side.peak[c]));
        else
            std::snprintf(buf, sizeof buf, " -inf");
        text += buf;
    }
    return text + " dBFS";
}

std::string RenderStats::Overloads(const Side& side) {
    return side.measured ? std::to_string(side.overloads) : "n/a";
}

std::string RenderStats::Summary() const {
    const double audioSeconds = sampleRate_ ? static_cast<double>(out_.frames) / sampleRate_ : 0.0;
    char speed[48];
    if (seconds_ > 0.0)
        std::snprintf(speed, sizeof speed, "%.1fx realtime", audioSeconds / seconds_);
    else
        std::snprintf(speed, sizeof speed, "realtime factor unmeasurable");
    char line[320];
    std::snprintf(line, sizeof line,
                  "%llu frames in, %llu frames out; peak in%s, out%s; overloads in %s, out %s "
                  "samples; %.3f s, %s",
                  static_cast<unsigned long long>(in_.frames),
                  static_cast<unsigned long long>(out_.frames), Peaks(in_).c_str(),
                  Peaks(out_).c_str(), Overloads(in_).c_str(), Overloads(out_).c_str(), seconds_,
                  speed);
    return line;
}
