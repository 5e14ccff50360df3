#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "EngineHarness.h"

TEST(EngineRobustness, MinutesOfSilentTailStayFiniteAndClearOfDenormals) {
    for (int32_t decay : {1, 200}) {
        EngineHarness h(44100, 2, 2);
        // The dry path muted: only what the network itself produces.
        ASSERT_EQ(h.Prepare({{kDryMute, 1}, {kDecayTime, decay}, {kBassMultiply, 30}}), 0);
        h.Render(Impulse(4096, 2), 4096);
        size_t bad = 0;
        const std::vector<float> second(2 * 44100, 0.0f);
        for (int i = 0; i < 120; ++i)
            for (float x : h.Render(second, 4096, false)) bad += !std::isfinite(x) || std::fpclassify(x) == FP_SUBNORMAL;
        EXPECT_EQ(bad, 0u) << decay;
        const FilterState& f = h.engine.State().filters;
        for (float s : {f.lowPass, f.shelfAllpass[0], f.shelfAllpass[1], f.damping[0], f.damping[1]})
            EXPECT_EQ(std::fpclassify(s), FP_NORMAL) << decay;
    }
}

// Non-finite input is compared with the frame-by-frame reference in RunWiseRenderingTest.
TEST(EngineRobustness, OverflowClearsTheNetwork) {
    EngineHarness hit(44100, 1, 2), fresh(44100, 1, 2);
    for (EngineHarness* h : {&hit, &fresh}) ASSERT_EQ(h->Prepare({{kInputGain, 60}}), 0);
    // Finite, but twice it is not: the network overflows, and is cleared.
    hit.Render(Impulse(2000, 1, std::numeric_limits<float>::max()), 2000);
    const std::vector<float> after = hit.Render(Impulse(44100, 1, 0.5f), 4096, false);
    EXPECT_GT(Energy(after), 1e-3);
    EXPECT_EQ(after, fresh.Render(Impulse(44100, 1, 0.5f), 4096, false)) << "a cleared network renders like a new one";
}

TEST(EngineRobustness, MisusedCallsFailAndNoMoreIsConsumedThanTheOutputHolds) {
    float buffer[4] = {};
    uint32_t frames = 2, capacity = 2;
    EXPECT_LT(ReverbEngine().UpdateCoefficients(DefaultParams()), 0) << "not prepared";

    EngineHarness h(44100, 1, 2);
    ASSERT_EQ(h.Prepare(), 0);
    EXPECT_LT(h.engine.ProcessBlock(0, buffer, &frames, buffer, nullptr), 0);
    EXPECT_LT(h.engine.ProcessBlock(0, buffer, nullptr, buffer, &capacity), 0);
    capacity = 5;
    EXPECT_EQ(h.engine.ProcessBlock(0, buffer, &frames, nullptr, &capacity), 0);
    EXPECT_EQ(capacity + frames, 0u) << "no output buffer, nothing consumed or written";
    std::vector<float> in(100, 0.1f), out(2 * 40, 0.0f);
    for (auto [offered, room, taken] : {std::tuple{100u, 40u, 40u}, {10u, 40u, 10u}}) {
        frames = offered;
        capacity = room;
        EXPECT_EQ(h.engine.ProcessBlock(1, in.data(), &frames, out.data(), &capacity), 0);
        EXPECT_EQ(frames, taken);
        EXPECT_EQ(capacity, taken);
    }
    ASSERT_EQ(h.Prepare(), 0) << "a second preparation without a release";
    EXPECT_TRUE(h.engine.IsPrepared());
}
