#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "EngineHarness.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A prepared 44.1 kHz engine whose coefficients follow `edit` applied to the defaults.
struct Coefs {
    EngineHarness h{44100, 2, 2};
    ReverbParams p = DefaultParams();

    Coefs() { EXPECT_EQ(h.Prepare(), 0); }
    const EngineState& Update() {
        EXPECT_EQ(h.engine.UpdateCoefficients(p), 0);
        return h.engine.State();
    }
};

std::complex<double> UnitDelay(double hz, double rate) { return std::polar(1.0, -2.0 * kPi * hz / rate); }

// Power response of the one-pole low-pass y += (x - y) a.
double LowPassPower(double a, double hz, double rate) {
    return std::norm(a / (1.0 - (1.0 - a) * UnitDelay(hz, rate)));
}

// The first-order allpass y = c (x - y') + x' used by the high-pass and the shelf.
std::complex<double> Allpass(double c, double hz, double rate) {
    const std::complex<double> z1 = UnitDelay(hz, rate);
    return (c + z1) / (1.0 + c * z1);
}

// Total delay of the four tank delay lines, in seconds.
double TankSeconds(const EngineState& s) {
    return double(s.lines[5].length + s.lines[7].length + s.lines[9].length + s.lines[11].length) /
           s.sampleRate;
}

}  // namespace

TEST(EngineCoefficients, OffValuesAndMutesGiveExactNeutralCoefficients) {
    Coefs c;
    c.p.LowCut = 19;
    c.p.HighCut = 221;
    c.p.Damping = 221;
    c.p.Diffusion = 0;
    c.p.InputGain = -361;
    c.p.DryLevel = -361;
    c.p.ReverbLevel = -361;
    c.p.EarlyLevel = -361;
    const EngineCoefficients& k = c.Update().coef;
    EXPECT_EQ(k.highPassCoef, 0.0f);
    EXPECT_EQ(k.lowPassCoef, 1.0f);
    EXPECT_EQ(k.dampingCoef, 1.0f);
    EXPECT_EQ(k.diffuserCoefA, 0.0f);
    EXPECT_EQ(k.diffuserCoefB, 0.0f);
    EXPECT_EQ(k.tankAllpassCoef1, 0.0f);
    EXPECT_EQ(k.tankAllpassCoef2, 0.0f);
    EXPECT_EQ(k.inputGain, 0.0f);
    EXPECT_EQ(k.dryGain, 0.0f);
    EXPECT_EQ(k.reverbGain, 0.0f);
    EXPECT_EQ(k.earlyGain, 0.0f);

    c.p = DefaultParams();
    c.p.InputGain = c.p.DryLevel = c.p.ReverbLevel = c.p.EarlyLevel = -360;
    c.Update();
    EXPECT_NEAR(k.inputGain, 0.0158489, 1e-6);
    EXPECT_NEAR(k.dryGain, 0.0158489, 1e-6);
    EXPECT_NEAR(k.reverbGain, 0.3 * 0.0158489, 1e-7);
    EXPECT_NEAR(k.earlyGain, 0.5 * 0.0158489, 1e-7);

    c.p.InputGain = c.p.DryLevel = c.p.ReverbLevel = c.p.EarlyLevel = 60;
    c.Update();
    EXPECT_NEAR(k.inputGain, 1.9952623, 1e-6);
    EXPECT_NEAR(k.reverbGain, 0.3 * 1.9952623, 1e-6);
    EXPECT_NEAR(k.earlyGain, 0.5 * 1.9952623, 1e-6);

    c.p.InputMute = c.p.DryMute = c.p.ReverbMute = c.p.EarlyMute = 1;
    c.Update();
    EXPECT_EQ(k.inputGain, 0.0f);
    EXPECT_EQ(k.dryGain, 0.0f);
    EXPECT_EQ(k.reverbGain, 0.0f);
    EXPECT_EQ(k.earlyGain, 0.0f);
}

TEST(EngineCoefficients, FiltersHaveTheirCornersWhereTheParametersSay) {
    Coefs c;
    for (int32_t hundreds : {5, 40, 120, 220}) {
        c.p.HighCut = c.p.Damping = hundreds;
        const EngineCoefficients& k = c.Update().coef;
        EXPECT_NEAR(LowPassPower(k.lowPassCoef, 100.0 * hundreds, 44100), 0.5, 2e-4) << hundreds;
        EXPECT_EQ(k.dampingCoef, k.lowPassCoef);
        EXPECT_GT(k.lowPassCoef, 0.0f);
        EXPECT_LT(k.lowPassCoef, 1.0f) << "220 still engages the filter";
    }
    for (int32_t hz : {20, 75, 1000, 3000}) {
        c.p.LowCut = hz;
        const float a = c.Update().coef.highPassCoef;
        // High-pass = (x - allpass(x)) / 2: half power at the corner.
        EXPECT_NEAR(std::norm((1.0 - Allpass(a, hz, 44100)) * 0.5), 0.5, 1e-4) << hz;
    }
    // A corner at or above half the rate is held there and stays finite.
    EngineHarness low(4000, 1, 1);
    ASSERT_EQ(low.Prepare(), 0);
    ReverbParams p = DefaultParams();
    p.LowCut = 3000;
    p.Crossover = 2000;
    low.engine.UpdateCoefficients(p);
    EXPECT_TRUE(std::isfinite(low.engine.State().coef.highPassCoef));
    EXPECT_TRUE(std::isfinite(low.engine.State().coef.shelfAllpassCoef));
}

TEST(EngineCoefficients, DecayAndDiffusionGainsFallSixtyDecibelsInTheirTimes) {
    Coefs c;
    for (int32_t tenths : {1, 15, 200}) {
        for (int32_t room : {1, 50, 100}) {
            c.p.DecayTime = tenths;
            c.p.RoomSize = room;
            const EngineState& s = c.Update();
            // Four tank delays per pass; passes in the decay time.
            const double passes = tenths * 0.1 / TankSeconds(s);
            EXPECT_NEAR(std::pow(double(s.coef.decayGain), 4.0 * passes), 0.001, 2e-6)
                << tenths << " tenths, room " << room;
        }
    }
    for (int32_t diffusion : {100, 50, 20}) {
        c.p.Diffusion = diffusion;
        c.p.RoomSize = 100;
        const EngineState& s = c.Update();
        const double d = diffusion * 0.01;
        const auto mean = [&](int a, int b) { return (s.lines[a].length + s.lines[b].length) * 0.5 / 44100; };
        // The fall in decibels over the stated time, from the stored single-precision gain.
        const auto fallDb = [](float gain, double loop, double seconds) {
            return 20.0 * std::log10(double(gain)) * seconds / loop;
        };
        EXPECT_NEAR(fallDb(s.coef.diffuserCoefA, mean(0, 1), d * 0.07), -60.0, 1e-3) << diffusion;
        EXPECT_NEAR(fallDb(s.coef.diffuserCoefB, mean(2, 3), d * 0.11), -60.0, 1e-3) << diffusion;
        EXPECT_NEAR(fallDb(s.coef.tankAllpassCoef1, mean(4, 8), d * 0.35), -60.0, 1e-3) << diffusion;
        EXPECT_NEAR(fallDb(s.coef.tankAllpassCoef2, mean(6, 10), d * 0.51), -60.0, 1e-3) << diffusion;
    }
}

TEST(EngineCoefficients, BassShelfIsTransparentAtOneTimesForEveryDecayTime) {
    Coefs c;
    c.p.BassMultiply = 10;
    for (int32_t tenths = 1; tenths <= 200; ++tenths) {
        c.p.DecayTime = tenths;
        ASSERT_EQ(c.Update().coef.shelfGain, 0.0f) << tenths;
    }
    // The allpass then has its quarter-turn at the crossover.
    const float a = c.Update().coef.shelfAllpassCoef;
    EXPECT_NEAR(std::arg(Allpass(a, c.p.Crossover, 44100)), -kPi / 2, 1e-5);
}

TEST(EngineCoefficients, BassShelfSetsTheLowBandDecayAboveAndBelowOneTimes) {
    Coefs c;
    c.p.DecayTime = 15;
    for (int32_t multiply : {30, 2, 5}) {
        c.p.BassMultiply = multiply;
        c.p.Crossover = 300;
        const EngineState& s = c.Update();
        const double ratio = 1.0 + 2.0 * s.coef.shelfGain;  // gain at 0 Hz
        EXPECT_EQ(ratio > 1.0, multiply > 10);
        const double lowSeconds = 1.5 * multiply * 0.1;
        const double passes = lowSeconds / TankSeconds(s);
        EXPECT_NEAR(std::pow(s.coef.decayGain * ratio, 4.0 * passes), 0.001, 1e-5) << multiply;

        // Gain 1 at half the rate, and the corner at the crossover: the power there is the
        // mean of the two plateaus for a boost, and its reciprocal form for a cut.
        const auto shelf = [&](double hz) {
            return 1.0 + double(s.coef.shelfGain) * (1.0 + Allpass(s.coef.shelfAllpassCoef, hz, 44100));
        };
        EXPECT_NEAR(std::abs(shelf(22050)), 1.0, 1e-5);
        EXPECT_NEAR(std::abs(shelf(0)), ratio, 1e-5);
        const double power = std::norm(shelf(300));
        if (ratio > 1.0)
            EXPECT_NEAR(power, (1.0 + ratio * ratio) / 2.0, 1e-3) << multiply;
        else
            EXPECT_NEAR(1.0 / power, (1.0 + 1.0 / (ratio * ratio)) / 2.0, 1e-3) << multiply;
    }
}

TEST(EngineCoefficients, EarlyTapsScaleWithRoomAndUseSinglePrecisionQuotients) {
    Coefs c;
    c.p.RoomSize = 100;
    const EngineTaps& t = c.Update().taps;
    const std::vector<int32_t> left(t.earlyDelayLeft, t.earlyDelayLeft + 7);
    const std::vector<int32_t> right(t.earlyDelayRight, t.earlyDelayRight + 8);
    EXPECT_EQ(left, (std::vector<int32_t>{1653, 4356, 5676, 7309, 8817, 11205, 13593}));
    EXPECT_EQ(right, (std::vector<int32_t>{1255, 2134, 4297, 5907, 7917, 8967, 11298, 13894}));
    // The nearest reflection (right, 1255) sets the scale; its own gain is halved.
    EXPECT_FLOAT_EQ(t.earlyGainRight[0], 0.23f);
    EXPECT_FLOAT_EQ(t.earlyGainRight[1], float(0.46 * 1255 / 2134));
    EXPECT_FLOAT_EQ(t.earlyGainLeft[0], float(0.5 * 1255 / 1653));
    EXPECT_FLOAT_EQ(t.earlyGainLeft[6], float(0.5 * 1255 / 13593));

    // 9062 x 14129 / 29400 = 4354.99...: the single-precision product rounds up to 4355.
    c.p.RoomSize = 30;
    c.Update();
    EXPECT_EQ(t.earlyDelayLeft[6], 4355);
    EXPECT_EQ(t.earlyDelayLeft[0], 529);
}

TEST(EngineCoefficients, OnlyARealRoomChangeClearsTheNetwork) {
    EngineHarness h(44100, 2, 2);
    h.Put(kPreDelay, 20);
    ASSERT_EQ(h.Prepare(), 0);
    h.Render(Noise(2 * 8820, 7), 4096);
    const EngineState& s = h.engine.State();
    const auto contents = [&]() {
        std::vector<float> v;
        for (const DelayLine& line : s.lines) v.insert(v.end(), line.data, line.data + line.allocated);
        v.insert(v.end(), s.early.data, s.early.data + s.early.size);
        return v;
    };
    const std::vector<float> before = contents();
    ASSERT_GT(Energy(before), 1.0);

    ReverbParams p;
    h.engine.GetAllParams(p);
    p.DecayTime = 100;  // everything but the room changes
    p.PreDelay = 10;
    p.Diffusion = 30;
    h.engine.UpdateCoefficients(p);
    EXPECT_EQ(contents(), before);

    p.RoomSize = 49;
    h.engine.UpdateCoefficients(p);
    EXPECT_EQ(Energy(contents()), 0.0);
    EXPECT_GT(Energy({s.preDelay.data, s.preDelay.data + s.preDelay.allocated}), 0.0) << "the pre-delay keeps ringing";
}
