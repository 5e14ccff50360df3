#include <gtest/gtest.h>

#include <vector>

#include "EngineHarness.h"

namespace {

std::vector<int32_t> Allocated(const EngineState& s) {
    std::vector<int32_t> v;
    for (const DelayLine& line : s.lines) v.push_back(line.allocated);
    return v;
}

std::vector<int32_t> Lengths(const EngineState& s) {
    std::vector<int32_t> v;
    for (const DelayLine& line : s.lines) v.push_back(line.length);
    return v;
}

// Counts allocations and frees, and fails the allocation numbered `failAt` (1-based).
class CountingEngine : public ReverbEngine {
public:
    int failAt = 0;
    int allocations = 0;
    int frees = 0;

    ~CountingEngine() override { ReleaseBuffers(); }

protected:
    float* AllocateFloats(size_t count) override {
        if (++allocations == failAt) return nullptr;
        return ReverbEngine::AllocateFloats(count);
    }
    void FreeFloats(float* memory) override {
        ++frees;
        ReverbEngine::FreeFloats(memory);
    }
};

}  // namespace

TEST(EngineBuffers, LineSizesFollowTheSampleRate) {
    struct Case {
        uint32_t rate;
        std::vector<int32_t> lines;
        int32_t preDelay;
        int32_t early;
    };
    const Case cases[] = {
        {44100, {313, 235, 835, 610, 1481, 9818, 3969, 8202, 2002, 9298, 5856, 6974}, 11025, 32768},
        {8000, {56, 42, 151, 110, 268, 1781, 720, 1488, 363, 1686, 1062, 1265}, 2000, 8192},
        {48000, {340, 256, 909, 664, 1612, 10687, 4320, 8928, 2179, 10120, 6374, 7591}, 12000, 32768},
        {22050, {156, 117, 417, 305, 740, 4909, 1984, 4101, 1001, 4649, 2928, 3487}, 5512, 16384},
        {96000, {681, 513, 1819, 1329, 3225, 21374, 8640, 17856, 4358, 20241, 12748, 15182}, 24000, 65536},
    };
    for (const Case& c : cases) {
        EngineHarness h(c.rate, 2, 2);
        h.Put(kRoomSize, 100);
        ASSERT_EQ(h.Prepare(), 0) << c.rate;
        const EngineState& s = h.engine.State();
        EXPECT_EQ(Allocated(s), c.lines) << c.rate;
        EXPECT_EQ(Lengths(s), c.lines) << c.rate << " Hz at full room size";
        EXPECT_EQ(s.preDelay.allocated, c.preDelay) << c.rate;
        EXPECT_EQ(s.early.size, c.early) << c.rate;
        // Twice the longest early tap fits, as the mask wrapping needs.
        EXPECT_LT(2 * s.taps.earlyDelayRight[7], s.early.size) << c.rate;
    }
}

TEST(EngineBuffers, RoomSizeScalesLengthsAndTapsWithinTheAllocation) {
    EngineHarness h(44100, 2, 2);
    h.Put(kRoomSize, 1);
    ASSERT_EQ(h.Prepare(), 0);
    EXPECT_EQ(h.engine.State().lines[0].length, 43);  // u = 6135

    h.Put(kRoomSize, 50);  // u = 24926
    ReverbParams p;
    h.engine.GetAllParams(p);
    h.engine.UpdateCoefficients(p);
    EXPECT_EQ(h.engine.State().lines[5].length, 5549);
    EXPECT_EQ(h.engine.State().taps.left[1], 3706);   // 2974 x 24926 / 20000
    EXPECT_EQ(h.engine.State().taps.right[6], 773);   // 621 x 24926 / 20000

    for (uint32_t rate : {8000u, 11025u, 44100u, 96000u}) {
        EngineHarness r(rate, 1, 2);
        ASSERT_EQ(r.Prepare(), 0);
        for (int room = 1; room <= 100; ++room) {
            p.RoomSize = room;
            r.engine.UpdateCoefficients(p);
            const EngineState& s = r.engine.State();
            for (const DelayLine& line : s.lines) {
                ASSERT_GE(line.length, 1);
                ASSERT_LE(line.length, line.allocated) << rate << " Hz, room " << room;
                ASSERT_LT(line.position, line.length);
            }
            for (int i = 0; i < network::kOutputTaps; ++i) {
                ASSERT_LE(s.taps.left[i], s.lines[network::kOutputLeft[i].line].length);
                ASSERT_LE(s.taps.right[i], s.lines[network::kOutputRight[i].line].length);
            }
        }
    }
}

TEST(EngineBuffers, PreDelayLengthInWholeSamplesAndAtLeastOne) {
    EngineHarness h(44100, 2, 2);
    ASSERT_EQ(h.Prepare(), 0);
    ReverbParams p;
    h.engine.GetAllParams(p);
    const std::pair<int32_t, int32_t> cases[] = {{0, 1}, {1, 44}, {100, 4410}, {250, 11025}};
    for (auto [ms, samples] : cases) {
        p.PreDelay = ms;
        h.engine.UpdateCoefficients(p);
        EXPECT_EQ(h.engine.State().preDelay.length, samples) << ms << " ms";
    }
}

TEST(EngineBuffers, FailedAllocationReleasesEverythingTaken) {
    const WaveFormat in = FloatFormat(44100, 2);
    CountingEngine probe;
    ASSERT_EQ(probe.PrepareStreaming(&in, &in), 0);
    const int lineCount = probe.allocations;
    EXPECT_EQ(lineCount, network::kLineCount + 2);
    probe.ReleaseBuffers();
    EXPECT_EQ(probe.frees, lineCount);

    for (int failAt = 1; failAt <= lineCount; ++failAt) {
        CountingEngine e;
        e.failAt = failAt;
        EXPECT_LT(e.PrepareStreaming(&in, &in), 0) << failAt;
        EXPECT_FALSE(e.IsPrepared());
        EXPECT_EQ(e.frees, failAt - 1) << "every allocation before the failed one is returned";
        float buffer[8] = {};
        uint32_t frames = 4;
        uint32_t capacity = 4;
        EXPECT_LT(e.ProcessBlock(0, buffer, &frames, buffer, &capacity), 0);
        EXPECT_EQ(capacity, 0u);
    }
}

TEST(EngineBuffers, RefusesFormatsItCannotRender) {
    const WaveFormat good = FloatFormat(44100, 2);
    WaveFormat noRate = good;
    noRate.sampleRate = 0;
    WaveFormat tooFast = good;
    tooFast.sampleRate = ReverbEngine::kMaxSampleRate + 1;
    WaveFormat sixChannels = good;
    sixChannels.channels = 6;
    WaveFormat noChannels = good;
    noChannels.channels = 0;
    ReverbEngine e;
    EXPECT_LT(e.PrepareStreaming(nullptr, &good), 0);
    EXPECT_LT(e.PrepareStreaming(&good, nullptr), 0);
    EXPECT_LT(e.PrepareStreaming(&noRate, &good), 0);
    EXPECT_LT(e.PrepareStreaming(&tooFast, &good), 0);
    EXPECT_LT(e.PrepareStreaming(&sixChannels, &good), 0);
    EXPECT_LT(e.PrepareStreaming(&good, &noChannels), 0);
    EXPECT_FALSE(e.IsPrepared());
    EXPECT_EQ(e.PrepareStreaming(&good, &good), 0);
    EXPECT_TRUE(e.IsPrepared());
}

TEST(EngineBuffers, PrepareKeepsFormatReferencesAndReleaseClearsMeters) {
    EngineHarness h(48000, 1, 2);
    float levels[4];
    EXPECT_EQ(h.engine.ReleaseBuffers(), 0);  // nothing held: only the meters are touched
    EXPECT_FALSE(h.engine.IsPrepared());
    ASSERT_EQ(h.Prepare(), 0);
    WaveFormat got{};
    ASSERT_TRUE(h.engine.GetConnectionFormat(0, got));
    EXPECT_EQ(got.channels, 1);
    h.in.sampleRate = 12345;  // a reference, not a copy
    ASSERT_TRUE(h.engine.GetConnectionFormat(0, got));
    EXPECT_EQ(got.sampleRate, 12345u);
    h.in.sampleRate = 48000;

    h.Render(Impulse(256, 1, 0.5f), 256);
    h.engine.GetPeakLevels(levels);
    EXPECT_GT(levels[0], 0.4f);
    EXPECT_EQ(h.engine.ReleaseBuffers(), 0);
    EXPECT_FALSE(h.engine.IsPrepared());
    h.engine.GetPeakLevels(levels);
    for (float level : levels) EXPECT_EQ(level, 0.0f);
    EXPECT_EQ(h.engine.State().lines[0].data, nullptr);
}
