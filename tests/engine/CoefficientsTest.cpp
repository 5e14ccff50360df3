// Coefficients judged by what they do: filter corners, decay times and shelf gains computed
// from the filter forms, never from the formulas that made them.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "EngineHarness.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

// A prepared 44.1 kHz engine whose coefficients follow `p`.
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

// The first-order allpass y = c (x - y') + x' of the high-pass and the shelf.
std::complex<double> Allpass(double c, double hz, double rate = 44100) {
    const std::complex<double> z1 = UnitDelay(hz, rate);
    return (c + z1) / (1.0 + c * z1);
}

// Total delay of the four tank delay lines, in seconds.
double TankSeconds(const EngineState& s) {
    return double(s.lines[5].length + s.lines[7].length + s.lines[9].length + s.lines[11].length) / s.sampleRate;
}

}  // namespace

TEST(EngineCoefficients, LevelsAreDecibelsAndOffValuesAreExactlyNeutral) {
    Coefs c;
    for (int32_t level : {-361, -360, 0, 60}) {
        c.p.InputGain = c.p.DryLevel = c.p.ReverbLevel = c.p.EarlyLevel = level;
        const EngineCoefficients& k = c.Update().coef;
        const double gain = level == -361 ? 0.0 : std::pow(10.0, level / 200.0);
        for (auto [got, scale] : {std::pair{k.inputGain, 1.0}, {k.dryGain, 1.0}, {k.reverbGain, 0.3}, {k.earlyGain, 0.5}})
            EXPECT_NEAR(got, scale * gain, 1e-6 * gain) << level;
    }
    c.p = DefaultParams();
    c.p.InputMute = c.p.DryMute = c.p.ReverbMute = c.p.EarlyMute = 1;
    c.p.LowCut = 19;
    c.p.HighCut = c.p.Damping = 221;
    c.p.Diffusion = 0;
    const EngineCoefficients& k = c.Update().coef;
    EXPECT_EQ((std::vector<float>{k.inputGain, k.dryGain, k.reverbGain, k.earlyGain, k.highPassCoef, k.diffuserCoefA,
                                  k.diffuserCoefB, k.tankAllpassCoef1, k.tankAllpassCoef2, k.lowPassCoef, k.dampingCoef}),
              (std::vector<float>{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1}));
}

TEST(EngineCoefficients, FiltersHaveTheirCornersWhereTheParametersSay) {
    Coefs c;
    for (int32_t hundreds : {5, 40, 120, 220}) {
        c.p.HighCut = c.p.Damping = hundreds;
        const EngineCoefficients& k = c.Update().coef;
        const double a = k.lowPassCoef;  // y += (x - y) a
        EXPECT_NEAR(std::norm(a / (1.0 - (1.0 - a) * UnitDelay(100.0 * hundreds, 44100))), 0.5, 2e-4) << hundreds;
        EXPECT_EQ(k.dampingCoef, k.lowPassCoef);
    }
    for (int32_t hz : {20, 75, 1000, 3000}) {
        c.p.LowCut = hz;
        // High-pass = (x - allpass(x)) / 2: half power at the corner.
        EXPECT_NEAR(std::norm((1.0 - Allpass(c.Update().coef.highPassCoef, hz)) * 0.5), 0.5, 1e-4) << hz;
    }
    // Corners at or above half the rate (the low cut is 3000 Hz now) are held there and stay
    // finite.
    EngineHarness low(4000, 1, 1);
    ASSERT_EQ(low.Prepare(), 0);
    c.p.Crossover = 2000;
    low.engine.UpdateCoefficients(c.p);
    EXPECT_TRUE(std::isfinite(low.engine.State().coef.highPassCoef + low.engine.State().coef.shelfAllpassCoef));
}

TEST(EngineCoefficients, DecayAndDiffusionGainsFallSixtyDecibelsInTheirTimes) {
    Coefs c;
    for (int32_t tenths : {1, 15, 200})
        for (int32_t room : {1, 50, 100}) {
            c.p.DecayTime = tenths;
            c.p.RoomSize = room;
            const EngineState& s = c.Update();
            const double passes = tenths * 0.1 / TankSeconds(s);  // four tank delays a pass
            EXPECT_NEAR(std::pow(double(s.coef.decayGain), 4.0 * passes), 0.001, 2e-6) << tenths << ", room " << room;
        }
    c.p.RoomSize = 100;
    for (int32_t diffusion : {100, 50, 20}) {
        c.p.Diffusion = diffusion;
        const EngineState& s = c.Update();
        // Each allpass pair's gain, the lines of its loop, and its time at full diffusion.
        for (auto [gain, a, b, seconds] : {std::tuple{s.coef.diffuserCoefA, 0, 1, 0.07}, {s.coef.diffuserCoefB, 2, 3, 0.11},
                                           {s.coef.tankAllpassCoef1, 4, 8, 0.35}, {s.coef.tankAllpassCoef2, 6, 10, 0.51}}) {
            const double loops = diffusion * 0.01 * seconds * 44100 / ((s.lines[a].length + s.lines[b].length) * 0.5);
            EXPECT_NEAR(20.0 * std::log10(double(gain)) * loops, -60.0, 1e-3) << diffusion << ", lines " << a << "/" << b;
        }
    }
}

TEST(EngineCoefficients, BassShelfSetsTheLowBandDecay) {
    Coefs c;
    c.p.Crossover = 300;
    for (int32_t multiply : {30, 2, 5, 10}) {
        c.p.BassMultiply = multiply;
        const EngineState& s = c.Update();
        const double ratio = 1.0 + 2.0 * s.coef.shelfGain;  // gain at 0 Hz
        EXPECT_EQ(ratio > 1.0, multiply > 10);
        EXPECT_EQ(s.coef.shelfGain == 0.0f, multiply == 10) << "only one times is transparent";
        const double passes = 1.5 * multiply * 0.1 / TankSeconds(s);
        EXPECT_NEAR(std::pow(s.coef.decayGain * ratio, 4.0 * passes), 0.001, 1e-5) << multiply;
        // Gain 1 at half the rate; at the crossover the power is the plateaus' mean for a
        // boost, and its reciprocal form for a cut.
        const auto shelf = [&](double hz) {
            return std::norm(1.0 + double(s.coef.shelfGain) * (1.0 + Allpass(s.coef.shelfAllpassCoef, hz)));
        };
        EXPECT_NEAR(shelf(22050), 1.0, 1e-5);
        const double r2 = ratio * ratio;
        if (ratio > 1.0) EXPECT_NEAR(shelf(300), (1.0 + r2) / 2.0, 1e-3) << multiply;
        else EXPECT_NEAR(1.0 / shelf(300), (1.0 + 1.0 / r2) / 2.0, 1e-3) << multiply;
    }
}

TEST(EngineCoefficients, EarlyTapsScaleWithRoomInSinglePrecision) {
    Coefs c;
    c.p.RoomSize = 100;
    const EngineTaps& t = c.Update().taps;
    EXPECT_EQ(std::vector<int32_t>(t.earlyDelayLeft, t.earlyDelayLeft + 7),
              (std::vector<int32_t>{1653, 4356, 5676, 7309, 8817, 11205, 13593}));
    EXPECT_EQ(std::vector<int32_t>(t.earlyDelayRight, t.earlyDelayRight + 8),
              (std::vector<int32_t>{1255, 2134, 4297, 5907, 7917, 8967, 11298, 13894}));
    // The nearest reflection (right, 1255) sets the scale; its own gain is halved.
    EXPECT_EQ(std::vector<float>({t.earlyGainRight[0], t.earlyGainRight[1], t.earlyGainLeft[6]}),
              std::vector<float>({0.23f, float(0.46 * 1255 / 2134), float(0.5 * 1255 / 13593)}));
    // 9062 x 14129 / 29400 = 4354.99...: the single-precision product rounds up to 4355.
    c.p.RoomSize = 30;
    c.Update();
    EXPECT_EQ(t.earlyDelayLeft[6], 4355);
    EXPECT_EQ(t.earlyDelayLeft[0], 529);
}

TEST(EngineCoefficients, OnlyARealRoomChangeClearsTheNetwork) {
    EngineHarness h(44100, 2, 2);
    ASSERT_EQ(h.Prepare({{kPreDelay, 20}}), 0);
    h.Render(Noise(2 * 8820, 7), 4096);
    const EngineState& s = h.engine.State();
    const auto contents = [&]() {
        std::vector<float> v(s.early.data, s.early.data + s.early.size);
        for (const DelayLine& line : s.lines) v.insert(v.end(), line.data, line.data + line.allocated);
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
