#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "EngineHarness.h"

namespace {

bool Finite(const std::vector<float>& v) {
    for (float x : v)
        if (!std::isfinite(x)) return false;
    return true;
}

}  // namespace

TEST(EngineRobustness, MinutesOfSilentTailStayFiniteAndClearOfDenormals) {
    for (int32_t decay : {1, 200}) {
        EngineHarness h(44100, 2, 2);
        h.Put(kDryMute, 1);  // leave only what the network itself produces
        h.Put(kDecayTime, decay);
        h.Put(kBassMultiply, 30);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Impulse(4096, 2), 4096);
        size_t subnormal = 0, bad = 0;
        for (int second = 0; second < 120; ++second) {
            for (float x : h.RenderSilence(44100)) {
                if (!std::isfinite(x)) ++bad;
                else if (std::fpclassify(x) == FP_SUBNORMAL) ++subnormal;
            }
        }
        EXPECT_EQ(bad, 0u) << decay;
        EXPECT_EQ(subnormal, 0u) << decay;
        const FilterState& f = h.engine.State().filters;
        for (float s : {f.lowPass, f.shelfAllpass[0], f.shelfAllpass[1], f.damping[0], f.damping[1]})
            EXPECT_EQ(std::fpclassify(s), FP_NORMAL) << decay;
    }
}

TEST(EngineRobustness, NonFiniteInputSamplesEnterAsSilence) {
    std::vector<float> clean = Noise(2 * 3000, 31);
    std::vector<float> dirty = clean;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (size_t i : {size_t(10), size_t(501), size_t(2000), size_t(4001)}) clean[i] = 0.0f;
    dirty[10] = nan;
    dirty[501] = inf;
    dirty[2000] = -inf;
    dirty[4001] = nan;
    EngineHarness a(44100, 2, 2), b(44100, 2, 2);
    ASSERT_EQ(a.Prepare(), 0);
    ASSERT_EQ(b.Prepare(), 0);
    EXPECT_EQ(a.Render(dirty, 256), b.Render(clean, 256));
}

TEST(EngineRobustness, OverflowInTheNetworkIsClearedAndTheReverbRingsAgain) {
    EngineHarness hit(44100, 1, 2), fresh(44100, 1, 2);
    hit.Put(kInputGain, 60);
    fresh.Put(kInputGain, 60);
    ASSERT_EQ(hit.Prepare(), 0);
    ASSERT_EQ(fresh.Prepare(), 0);
    // Finite, but twice it is not: the network overflows.
    hit.Render(Impulse(2000, 1, std::numeric_limits<float>::max()), 2000);
    const std::vector<float> after = hit.Render(Impulse(44100, 1, 0.5f), 4096, false);
    const std::vector<float> expected = fresh.Render(Impulse(44100, 1, 0.5f), 4096, false);
    EXPECT_TRUE(Finite(after));
    EXPECT_GT(Energy(after), 1e-3);
    EXPECT_EQ(after, expected) << "a cleared network renders like a new one";
}

TEST(EngineRobustness, MisusedCallsFailWithoutTouchingMemory) {
    ReverbEngine idle;
    float buffer[4] = {};
    uint32_t frames = 2, capacity = 2;
    EXPECT_LT(idle.ProcessBlock(0, buffer, &frames, buffer, &capacity), 0);
    EXPECT_EQ(capacity, 0u);
    EXPECT_LT(idle.UpdateCoefficients(DefaultParams()), 0);

    EngineHarness h(44100, 2, 2);
    ASSERT_EQ(h.Prepare(), 0);
    EXPECT_LT(h.engine.ProcessBlock(0, buffer, &frames, buffer, nullptr), 0);
    EXPECT_LT(h.engine.ProcessBlock(0, buffer, nullptr, buffer, &capacity), 0);
    capacity = 5;
    EXPECT_EQ(h.engine.ProcessBlock(0, buffer, &frames, nullptr, &capacity), 0);
    EXPECT_EQ(capacity, 0u) << "no output buffer, nothing written";
    EXPECT_EQ(frames, 0u);
    // A second preparation without a release returns the first run's memory first.
    ASSERT_EQ(h.Prepare(), 0);
    EXPECT_TRUE(h.engine.IsPrepared());
}

TEST(EngineRobustness, ConsumesNoMoreThanTheOutputHolds) {
    EngineHarness h(44100, 1, 2);
    ASSERT_EQ(h.Prepare(), 0);
    std::vector<float> in(100, 0.1f), out(2 * 40, 0.0f);
    uint32_t frames = 100, capacity = 40;
    EXPECT_EQ(h.engine.ProcessBlock(0, in.data(), &frames, out.data(), &capacity), 0);
    EXPECT_EQ(frames, 40u);
    EXPECT_EQ(capacity, 40u);
    frames = 10;
    capacity = 40;
    EXPECT_EQ(h.engine.ProcessBlock(1, in.data(), &frames, out.data(), &capacity), 0);
    EXPECT_EQ(frames, 10u);
    EXPECT_EQ(capacity, 10u);
}
