#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EngineHarness.h"

namespace {

// An engine at 44.1 kHz and full room size whose network is nothing but delays and gains
// (no diffusion, no filters, a transparent shelf), heard through the late taps only; width
// 100 doubles the late gain of 0.3 on each side.
EngineHarness PlainNetwork() {
    EngineHarness h(44100, 1, 2);
    EXPECT_EQ(h.Prepare({{kRoomSize, 100}, {kDiffusion, 0}, {kLowCut, 19}, {kHighCut, 221}, {kDamping, 221},
                         {kBassMultiply, 10}, {kPreDelay, 0}, {kDryMute, 1}, {kEarlyMute, 1}, {kReverbLevel, 0}}),
              0);
    return h;
}

struct Arrival {
    int side;      // 0 left, 1 right
    int64_t frame;
    double amplitude;
};

// Checks that the output holds exactly these impulses (besides the anti-denormal floor).
void ExpectArrivals(const std::vector<float>& out, const std::vector<Arrival>& arrivals) {
    std::vector<double> expected(out.size(), 0.0);
    for (const Arrival& a : arrivals) expected[size_t(2 * a.frame + a.side)] += 0.6 * a.amplitude;
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_NEAR(out[i], expected[i], 1e-6 + 1e-5 * std::fabs(expected[i]))
            << (i % 2 ? "right" : "left") << " frame " << i / 2;
}

}  // namespace

// An impulse passes the four diffusers (313 + 235 + 835 + 610 samples) and the one-sample
// pre-delay, so it enters both tank halves at frame 1994. Half A: allpass line 4 (1481),
// delay line 5 (9818), allpass line 6 (3969), then line 7, which half B reads 8201 later.
// Half B: allpass line 8 (2002), delay line 9 (9298), allpass line 10 (5856), then line 11.
// A tap at offset d reads what its line took in d - 1 frames before; the decay gain g is
// applied after each delay line. Nothing recirculates before frame 1994 + 23469.
TEST(EngineNetworkPaths, EveryLateTapHearsItsLineAtItsOffset) {
    EngineHarness h = PlainNetwork();
    const double g = h.engine.State().coef.decayGain;
    ASSERT_GT(g, 0.3);
    ASSERT_LT(g, 0.5);
    const auto lean = [g](double share) { return g + (1.0 - g) * share; };
    const int64_t p = 1994;
    const std::vector<Arrival> arrivals = {
        {0, p + 2002 + 585, 1.0},                  // L1: line 9 at 586
        {0, p + 2002 + 6556, -lean(0.25)},         // L2: line 9 at 6557
        {0, p + 11300 + 4217, -lean(0.7) * g},     // L3: line 10 at 4218
        {0, p + 17156 + 5502, -lean(0.2) * g},     // L4: line 11 at 5503
        {0, p + 1481 + 3725, lean(0.6)},           // L5: line 5 at 3726
        {0, p + 11299 + 411, g},                   // L6: line 6 at 412
        {0, p + 15268 + 3452, lean(0.5) * g},      // L7: line 7 at 3453
        {1, p + 1481 + 777, 1.0},                  // R1: line 5 at 778
        {1, p + 1481 + 7996, lean(0.25)},          // R2: line 5 at 7997
        {1, p + 11299 + 3809, -lean(0.7) * g},     // R3: line 6 at 3810
        {1, p + 15268 + 6995, -lean(0.2) * g},     // R4: line 7 at 6996
        {1, p + 2002 + 3992, -lean(0.6)},          // R5: line 9 at 3993
        {1, p + 11300 + 737, g},                   // R6: line 10 at 738
        {1, p + 17156 + 1368, lean(0.5) * g},      // R7: line 11 at 1369
    };
    ExpectArrivals(h.Render(Impulse(uint32_t(p + 23400), 1), 4096), arrivals);
}
