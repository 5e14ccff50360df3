#include <gtest/gtest.h>

#include <vector>

#include "EngineHarness.h"

namespace {

// Runs mode-2 blocks until the engine reports the tail complete; the frames written, or -1.
int64_t PlayTail(ReverbEngine& e, uint32_t block) {
    std::vector<float> out(size_t(block) * 2);
    int64_t total = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        uint32_t capacity = block;
        const int rc = e.ProcessBlock(ReverbEngine::kModeTail, nullptr, nullptr, out.data(), &capacity);
        total += capacity;
        if (rc == 1) return total;
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(capacity, block);
    }
    return -1;
}

std::vector<float> PeakLevels(ReverbEngine& e) {
    std::vector<float> levels(ParameterControl::kMeterCount);
    e.GetPeakLevels(levels.data());
    return levels;
}

}  // namespace

TEST(EngineRendering, TailLastsTheLongerBandDecayAfterAStreamStart) {
    const struct {
        int32_t tail, multiply;
        bool start;
        int64_t frames;
    } cases[] = {{1, 10, true, 66150}, {1, 30, true, 198450}, {1, 5, true, 66150},
                 {1, 10, false, 0},  // a stream that never started with a discontinuity
                 {0, 10, true, 0}};
    for (const auto& c : cases) {
        EngineHarness h(44100, 2, 2);
        ASSERT_EQ(h.Prepare({{kTail, c.tail}, {kBassMultiply, c.multiply}}), 0);
        h.Render(Impulse(1000, 2), 1000, c.start);
        EXPECT_EQ(PlayTail(h.engine, 4096), c.frames) << c.tail << "/" << c.multiply << "/" << c.start;
        EXPECT_EQ(PlayTail(h.engine, 512), 0) << "a finished tail stays finished";
    }
}

TEST(EngineRendering, BypassPassesAudioThroughWithChannelMapping) {
    const std::vector<float> stereo = {0.25f, -0.5f, 1.5f, 0.5f, -1.0f, 0.0f}, mono = {0.25f, -0.5f, 1.5f};
    const struct {
        int in, out;
        std::vector<float> input, expected;
    } cases[] = {{2, 2, stereo, stereo}, {1, 1, mono, mono},
                 {1, 2, mono, {0.25f, 0.25f, -0.5f, -0.5f, 1.5f, 1.5f}}, {2, 1, stereo, {-0.125f, 1.0f, -0.5f}}};
    for (const auto& c : cases) {
        EngineHarness h(44100, c.in, c.out);
        ASSERT_EQ(h.Prepare({{kTail, 1}}), 0);
        h.Render(Noise(2000u * c.in, 3), 500);  // meters and network hold something
        h.engine.SetBypass(1);
        EXPECT_EQ(h.Render(c.input, 64, false), c.expected) << c.in << " -> " << c.out;
        EXPECT_EQ(PeakLevels(h.engine), std::vector<float>(4, 0.0f));
        EXPECT_EQ(PlayTail(h.engine, 4), 0) << "no tail while bypassed";
    }
}

TEST(EngineRendering, BypassFreezesTheNetworkAndDefersParameterChanges) {
    EngineHarness h(44100, 2, 2);
    ASSERT_EQ(h.Prepare(), 0);
    h.Render(Noise(2 * 4000, 11), 1000);
    const EngineState& s = h.engine.State();
    const auto line = [&s] { return std::vector<float>(s.lines[5].data, s.lines[5].data + s.lines[5].allocated); };
    const std::vector<float> frozen = line();
    const float decay = s.coef.decayGain;
    h.engine.SetBypass(1);
    h.Put(kDecayTime, 150);
    h.Render(Noise(2 * 3000, 12), 1000, false);
    EXPECT_EQ(line(), frozen);
    EXPECT_EQ(s.coef.decayGain, decay);
    h.engine.SetBypass(0);
    h.Render(Noise(2 * 10, 13), 10, false);
    EXPECT_GT(s.coef.decayGain, decay) << "the change waited for the first processed block";
}

TEST(EngineRendering, MetersHoldTheirMaximumUntilReadThenRestart) {
    EngineHarness h(44100, 2, 2);
    ASSERT_EQ(h.Prepare({{kReverbMute, 1}, {kEarlyMute, 1}}), 0);
    h.Render({0.5f, -0.25f, 0.1f, 0.1f}, 2);
    h.Render({0.2f, 0.2f}, 1, false);  // not read in between: the maximum holds
    EXPECT_EQ(PeakLevels(h.engine), (std::vector<float>{0.5f, 0.25f, 0.5f, 0.25f}));
    EXPECT_EQ(PeakLevels(h.engine), (std::vector<float>{0.5f, 0.25f, 0.5f, 0.25f})) << "no block since";
    h.Render({0.2f, -0.1f}, 1, false);  // read since: replaced, not maximised
    EXPECT_EQ(PeakLevels(h.engine), (std::vector<float>{0.2f, 0.1f, 0.2f, 0.1f}));
}
