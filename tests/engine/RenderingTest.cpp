#include <gtest/gtest.h>

#include <cmath>
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
        h.Put(kTail, c.tail);
        h.Put(kBassMultiply, c.multiply);
        ASSERT_EQ(h.Prepare(), 0);
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
        h.Put(kTail, 1);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Noise(2000u * c.in, 3), 500);  // meters and network hold something
        h.engine.SetBypass(1);
        EXPECT_EQ(h.Render(c.input, 64, false), c.expected) << c.in << " -> " << c.out;
        float levels[4];
        h.engine.GetPeakLevels(levels);
        EXPECT_EQ(std::vector<float>(levels, levels + 4), std::vector<float>(4, 0.0f));
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

// With the dry signal muted: width 0 is mono, 100 the network's own image (each side's wet
// signal doubled), 200 twice its side signal; mono output is the left wet signal alone,
// plus the mid of the dry signal.
TEST(EngineRendering, WidthAndMonoOutputMixTheWetSignals) {
    const std::vector<float> input = Noise(2 * 6000, 5);
    std::vector<std::vector<float>> out;
    for (auto [width, channels, dryMute] : {std::tuple{0, 2, 1}, {100, 2, 1}, {200, 2, 1}, {100, 1, 1}, {100, 1, 0}}) {
        EngineHarness h(44100, 2, channels);
        h.Put(kDryMute, dryMute);
        h.Put(kWidth, width);
        EXPECT_EQ(h.Prepare(), 0);
        out.push_back(h.Render(input, 512));
    }
    // Widths 0, 100 and 200, then mono output without and with the dry signal.
    const std::vector<float>& n = out[0], &a = out[1], &w = out[2], &m = out[3], &dry = out[4];
    EXPECT_EQ(Channel(n, 2, 0), Channel(n, 2, 1));
    double sideEnergy = 0;
    for (size_t i = 0; i < m.size(); ++i) {
        const float left = a[2 * i], right = a[2 * i + 1], lw = m[i], rw = n[2 * i] - lw;
        ASSERT_NEAR(left, 2.0f * lw, 1e-6f + 1e-5f * std::fabs(lw)) << i;
        ASSERT_NEAR(right, 2.0f * rw, 2e-6f + 1e-5f * std::fabs(rw)) << i;
        ASSERT_NEAR(w[2 * i] - w[2 * i + 1], 2.0f * (left - right), 4e-6f) << i;
        ASSERT_NEAR(dry[i], (input[2 * i] + input[2 * i + 1]) * 0.5f + lw, 1e-5f) << i;
        sideEnergy += double(left - right) * (left - right);
    }
    EXPECT_GT(sideEnergy, 1e-3) << "the network's own image is stereo";
}

TEST(EngineRendering, EarlyReflectionsArriveAtTheirTapDelaysAndAreFedWhileMuted) {
    for (int muted : {0, 1}) {
        EngineHarness h(44100, 1, 2);
        for (auto [field, value] : {std::pair{kRoomSize, 100}, {kDiffusion, 0}, {kLowCut, 19}, {kHighCut, 221},
                                    {kReverbMute, 1}, {kDryMute, 1}, {kEarlyLevel, 0}, {kEarlyMute, muted}})
            h.Put(field, value);
        ASSERT_EQ(h.Prepare(), 0);
        const std::vector<float> out = h.Render(Impulse(16000, 1), 4096);
        const EngineTaps& t = h.engine.State().taps;
        // The impulse reaches the early line through the first two diffusers (313 + 235);
        // width 100 doubles each side's early gain of 0.5.
        const size_t through = 313 + 235;
        const int signLeft[7] = {1, 1, -1, 1, 1, 1, 1}, signRight[8] = {1, -1, 1, 1, -1, 1, 1, -1};
        std::vector<float> expected(out.size(), 0.0f);
        for (int i = 0; i < 7 && !muted; ++i) expected[2 * (through + t.earlyDelayLeft[i])] = signLeft[i] * t.earlyGainLeft[i];
        for (int i = 0; i < 8 && !muted; ++i) expected[2 * (through + t.earlyDelayRight[i]) + 1] = signRight[i] * t.earlyGainRight[i];
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_NEAR(out[i], expected[i], muted ? 0.0f : 1e-7f) << (i % 2 ? "right" : "left") << " frame " << i / 2;
        const EarlyTapLine& early = h.engine.State().early;
        EXPECT_GT(Energy(std::vector<float>(early.data, early.data + early.size)), 0.0) << "fed while muted";
    }
}

TEST(EngineRendering, MetersHoldTheirMaximumUntilReadThenRestart) {
    EngineHarness h(44100, 2, 2);
    h.Put(kReverbMute, 1);
    h.Put(kEarlyMute, 1);
    ASSERT_EQ(h.Prepare(), 0);
    float levels[4], again[4];
    h.Render({0.5f, -0.25f, 0.1f, 0.1f}, 2);
    h.Render({0.2f, 0.2f}, 1, false);  // not read in between: the maximum holds
    h.engine.GetPeakLevels(levels);
    EXPECT_EQ(std::vector<float>(levels, levels + 4), (std::vector<float>{0.5f, 0.25f, 0.5f, 0.25f}));
    h.engine.GetPeakLevels(again);  // no block between: the same values
    EXPECT_EQ(std::vector<float>(levels, levels + 4), std::vector<float>(again, again + 4));
    h.Render({0.2f, -0.1f}, 1, false);  // read since: replaced, not maximised
    h.engine.GetPeakLevels(levels);
    EXPECT_EQ(std::vector<float>(levels, levels + 2), (std::vector<float>{0.2f, 0.1f}));
}

TEST(EngineRendering, ClipHoldMarksInputAndOutputOverloadsPerSide) {
    const struct {
        int outChannels;
        int32_t dryLevel, wetMute;
        std::vector<float> frame;
        int inLeft, inRight, outLeft, outRight;
    } cases[] = {{2, 0, 1, {1.5f, 0.2f}, 3, 0, 3, 0},
                 {2, 60, 0, {0.2f, -0.9f}, 0, 0, 0, 3},
                 {1, 60, 0, {0.9f, 0.9f}, 0, 0, 3, 3}};
    for (const auto& c : cases) {
        EngineHarness h(44100, 2, c.outChannels);
        h.Put(kDryLevel, c.dryLevel);
        h.Put(kReverbMute, c.wetMute);
        h.Put(kEarlyMute, c.wetMute);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(c.frame, 1);
        const std::vector<int> held = {h.engine.GetClipHold(ReverbEngine::kLeft, 0), h.engine.GetClipHold(ReverbEngine::kRight, 0),
                                       h.engine.GetClipHold(ReverbEngine::kLeft, 2), h.engine.GetClipHold(ReverbEngine::kRight, 2)};
        EXPECT_EQ(held, (std::vector<int>{c.inLeft, c.inRight, c.outLeft, c.outRight})) << c.frame[0] << "," << c.frame[1];
    }
}
