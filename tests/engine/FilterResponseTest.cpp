#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EngineHarness.h"

// What enters the network is kept by a 250 ms pre-delay, whose line shows the input filters'
// steady-state gain on a sine.
TEST(EngineFilterResponse, InputFiltersShapeWhatFeedsTheNetwork) {
    const struct {
        int32_t lowCut, highCut;
        double hz, low, high;  // accepted gain range
    } cases[] = {
        {1000, 221, 1000, 0.700, 0.714},  // high-pass corner
        {1000, 221, 100, 0.09, 0.11},     // an octave-and-more below it
        {19, 40, 4000, 0.700, 0.714},     // low-pass corner
        {19, 40, 100, 0.995, 1.001},
        {19, 221, 4000, 0.995, 1.001},    // both off
        {20, 221, 4000, 0.995, 1.001},    // 20 Hz engages the high-pass, far below the tone
    };
    for (const auto& c : cases) {
        EngineHarness h(44100, 1, 1);
        for (auto [field, value] : {std::pair{kRoomSize, 100}, {kDiffusion, 0}, {kDamping, 221}, {kPreDelay, 250},
                                    {kLowCut, c.lowCut}, {kHighCut, c.highCut}})
            h.Put(field, value);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Sine(12000, c.hz), 4096);
        const DelayLine& pre = h.engine.State().preDelay;
        // The last writes sit just above the position; 4410 samples hold whole periods.
        std::vector<float> recent(4410);
        for (int32_t i = 0; i < 4410; ++i) recent[size_t(i)] = pre.data[(pre.position + 1 + i) % pre.length];
        const double gain = std::sqrt(2.0 * Energy(recent) / 4410) / 0.5;
        EXPECT_GT(gain, c.low) << c.lowCut << "/" << c.highCut << " at " << c.hz << " Hz";
        EXPECT_LT(gain, c.high) << c.lowCut << "/" << c.highCut << " at " << c.hz << " Hz";
    }
}
