#include <gtest/gtest.h>

#include <vector>

#include "EngineHarness.h"

namespace {

// Counts allocations and frees, and fails the allocation numbered `failAt` (1-based).
class CountingEngine : public ReverbEngine {
public:
    int failAt = 0, allocations = 0, frees = 0;
    ~CountingEngine() override { ReleaseBuffers(); }

protected:
    float* AllocateFloats(size_t count) override {
        return ++allocations == failAt ? nullptr : ReverbEngine::AllocateFloats(count);
    }
    void FreeFloats(float* memory) override {
        ++frees;
        ReverbEngine::FreeFloats(memory);
    }
};

}  // namespace

TEST(EngineBuffers, LineSizesFollowTheSampleRateAndTheRoom) {
    const struct {
        uint32_t rate;
        std::vector<int32_t> lines;
        int32_t preDelay, early;
    } cases[] = {
        {44100, {313, 235, 835, 610, 1481, 9818, 3969, 8202, 2002, 9298, 5856, 6974}, 11025, 32768},
        {8000, {56, 42, 151, 110, 268, 1781, 720, 1488, 363, 1686, 1062, 1265}, 2000, 8192},
        {96000, {681, 513, 1819, 1329, 3225, 21374, 8640, 17856, 4358, 20241, 12748, 15182}, 24000, 65536},
    };
    for (const auto& c : cases) {
        EngineHarness h(c.rate, 2, 2);
        ASSERT_EQ(h.Prepare({{kRoomSize, 100}}), 0) << c.rate;
        const EngineState& s = h.engine.State();
        for (int i = 0; i < network::kLineCount; ++i) {
            EXPECT_EQ(s.lines[i].allocated, c.lines[i]) << c.rate << " Hz, line " << i;
            EXPECT_EQ(s.lines[i].length, c.lines[i]) << c.rate << " Hz, line " << i << " at full room size";
        }
        EXPECT_EQ(s.preDelay.allocated, c.preDelay) << c.rate;
        EXPECT_EQ(s.early.size, c.early) << c.rate;
        EXPECT_LT(2 * s.taps.earlyDelayRight[7], s.early.size) << c.rate << ": the mask wrapping needs twice the longest tap";
        // The smallest room keeps every line a slot long at least and every tap inside its line.
        ReverbParams p = DefaultParams();
        p.RoomSize = 1;
        h.engine.UpdateCoefficients(p);
        for (int i = 0; i < network::kLineCount; ++i)
            EXPECT_TRUE(s.lines[i].length >= 1 && s.lines[i].position < s.lines[i].length) << c.rate << " Hz, line " << i;
        for (int i = 0; i < network::kOutputTaps; ++i)
            EXPECT_TRUE(s.taps.left[i] <= s.lines[network::kOutputLeft[i].line].length &&
                        s.taps.right[i] <= s.lines[network::kOutputRight[i].line].length)
                << c.rate << " Hz, tap " << i << " in the smallest room";
    }
}

TEST(EngineBuffers, FailedAllocationReleasesEverythingTaken) {
    const WaveFormat in = FloatFormat(44100, 2);
    CountingEngine probe;
    ASSERT_EQ(probe.PrepareStreaming(&in, &in), 0);
    EXPECT_EQ(probe.allocations, network::kLineCount + 2);
    probe.ReleaseBuffers();
    EXPECT_EQ(probe.frees, probe.allocations);
    for (int failAt = 1; failAt <= probe.allocations; ++failAt) {
        CountingEngine e;
        e.failAt = failAt;
        EXPECT_LT(e.PrepareStreaming(&in, &in), 0) << failAt;
        EXPECT_FALSE(e.IsPrepared());
        EXPECT_EQ(e.frees, failAt - 1) << "every allocation before the failed one is returned";
        float buffer[8] = {};
        uint32_t frames = 4, capacity = 4;
        EXPECT_LT(e.ProcessBlock(0, buffer, &frames, buffer, &capacity), 0);
        EXPECT_EQ(capacity, 0u);
    }
}

TEST(EngineBuffers, RefusesFormatsItCannotRenderAndKeepsThoseItCan) {
    const WaveFormat good = FloatFormat(44100, 2);
    const struct {
        const char* what;
        uint32_t rate;
        uint16_t inChannels, outChannels;
    } cases[] = {{"no rate", 0, 2, 2}, {"too fast", ReverbEngine::kMaxSampleRate + 1, 2, 2},
                 {"six channels in", 44100, 6, 2}, {"no channels out", 44100, 2, 0}};
    ReverbEngine e;
    for (const auto& c : cases) {
        WaveFormat in = good, out = good;
        in.sampleRate = c.rate;
        in.channels = c.inChannels;
        out.channels = c.outChannels;
        EXPECT_LT(e.PrepareStreaming(&in, &out), 0) << c.what;
        EXPECT_FALSE(e.IsPrepared()) << c.what;
        EXPECT_EQ(e.PrepareStreaming(&good, &good), 0) << "after " << c.what;
    }
    EXPECT_LT(e.PrepareStreaming(nullptr, &good), 0);
    EXPECT_LT(e.PrepareStreaming(&good, nullptr), 0);
    // A preparation keeps both formats for the control interface to report.
    const WaveFormat mono = FloatFormat(48000, 1);
    ASSERT_EQ(e.PrepareStreaming(&mono, &good), 0);
    WaveFormat in{}, out{};
    ASSERT_TRUE(e.GetConnectionFormat(0, in) && e.GetConnectionFormat(1, out));
    EXPECT_EQ(std::vector<int>({in.channels, int(in.sampleRate), out.channels}), std::vector<int>({1, 48000, 2}));
}
