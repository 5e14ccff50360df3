#include <gtest/gtest.h>

#include <string>

#include "ProgressLine.h"
#include "RenderStats.h"

TEST(RenderStats, TracksPeaksAndOverloadsPerChannelSinceTheLatestStart) {
    RenderStats stats;
    const float loud[] = {3.0f, -3.0f, 3.0f, -3.0f};
    stats.Start(44100, 2, 2);
    stats.AddInput(loud, 2);
    stats.AddOutput(loud, 2);
    stats.Start(1000, 2, 2);  // forgets the loud start
    const float in[] = {0.5f, -0.25f, -1.5f, 0.125f, 1.0f, 0.0f};
    stats.AddInput(in, 2);
    stats.AddInput(in + 4, 1);
    const float out[] = {0.1f, 0.0f, -2.0f, 0.0f, 1.25f, 0.0f, -0.3f, 0.0f};
    stats.AddOutput(out, 4);
    stats.Stop();
    // Full scale itself is no overload; a silent channel peaks at minus infinity.
    const std::string line = stats.Summary(), counts =
        "3 frames in, 4 frames out; peak in 3.5 -12.0 dBFS, out 6.0 -inf dBFS; overloads in 1, out 2 samples; ";
    EXPECT_EQ(line.substr(0, counts.size()), counts);
    EXPECT_NE(line.find(" s, ", counts.size()), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), std::string::npos);
}

namespace {
// Counts what reaches the real sink.
class CountingSink : public FrameSink {
public:
    int Write(const float*, uint32_t count, std::string&) override {
        frames += count;
        return 0;
    }
    uint64_t frames = 0;
};
}  // namespace

TEST(ProgressLine, ShowsOnlyOnATerminalAfterASecondAndClearsItsLine) {
    // Each row writes 1000-frame blocks (1000 frames/s of audio) at the given clock times
    // against 4000 expected frames.
    const struct {
        bool enabled;
        std::vector<double> times;
        std::vector<std::string> shown;
    } rows[] = {
        {false, {0.5, 1.5, 2.5}, {}},
        {true, {0.2, 0.4, 0.9}, {}},
        {true, {0.5, 2.0, 2.1, 3.0},
         {"\rruvoda-render:  50%  1.0x realtime  2 s left",
          "\rruvoda-render: 100%  1.3x realtime  0 s left",
          "\r" + std::string(44, ' ') + "\r"}},
    };
    for (const auto& row : rows) {
        CountingSink next;
        std::vector<std::string> shown;
        size_t tick = 0;
        std::vector<double> clock{0.0};
        clock.insert(clock.end(), row.times.begin(), row.times.end());
        ProgressLine line(next, row.enabled, 4000, 1000, [&](const std::string& t) { shown.push_back(t); },
                          [&] { return clock[tick++]; });
        const std::vector<float> block(2000);
        std::string error;
        for (size_t i = 0; i < row.times.size(); ++i) ASSERT_EQ(0, line.Write(block.data(), 1000, error));
        line.Finish();
        line.Finish();  // a finished line stays cleared
        EXPECT_EQ(row.shown, shown);
        EXPECT_EQ(1000u * row.times.size(), next.frames) << "every frame passes on";
    }
}
