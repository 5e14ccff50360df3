#include <gtest/gtest.h>

#include <string>

#include "RenderStats.h"

TEST(RenderStats, TracksPeaksAndOverloadsPerChannel) {
    RenderStats stats;
    stats.Start(1000, 2, 1);
    const float in[] = {0.5f, -0.25f, -1.5f, 0.125f, 1.0f, 0.0f};
    stats.AddInput(in, 2);
    stats.AddInput(in + 4, 1);
    const float out[] = {0.1f, -2.0f, 1.25f, -0.3f};
    stats.AddOutput(out, 4);
    stats.Stop();

    EXPECT_EQ(stats.FramesIn(), 3u);
    EXPECT_EQ(stats.FramesOut(), 4u);
    EXPECT_EQ(stats.PeakIn(0), 1.5f);
    EXPECT_EQ(stats.PeakIn(1), 0.25f);
    EXPECT_EQ(stats.PeakOut(0), 2.0f);
    EXPECT_EQ(stats.OverloadsIn(), 1u) << "full scale itself is no overload";
    EXPECT_EQ(stats.OverloadsOut(), 2u);
    EXPECT_GE(stats.Seconds(), 0.0);

    const std::string line = stats.Summary();
    EXPECT_EQ(line.find('\n'), std::string::npos);
    const std::string counts =
        "3 frames in, 4 frames out; peak in 3.5 -12.0 dBFS, out 6.0 dBFS; overloads in 1, out 2 samples; ";
    EXPECT_EQ(line.substr(0, counts.size()), counts);
    EXPECT_NE(line.find(" s, ", counts.size()), std::string::npos)
        << line;
}

TEST(RenderStats, SilenceShowsMinusInfinityAndRestartClears) {
    RenderStats stats;
    stats.Start(44100, 1, 2);
    const float loud[] = {3.0f};
    stats.AddInput(loud, 1);
    stats.Start(44100, 1, 2);
    const float silent[] = {0.0f, 0.0f};
    stats.AddInput(silent, 2);
    stats.AddOutput(silent, 1);
    stats.Stop();
    EXPECT_EQ(stats.FramesIn(), 2u);
    EXPECT_EQ(stats.OverloadsIn(), 0u);
    EXPECT_NE(stats.Summary().find("peak in -inf dBFS, out -inf -inf dBFS"), std::string::npos)
        << stats.Summary();
}
