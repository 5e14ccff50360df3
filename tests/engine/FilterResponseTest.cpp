#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EngineHarness.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

std::vector<float> Sine(uint32_t frames, double hz, double amplitude = 0.5, uint32_t rate = 44100) {
    std::vector<float> v(frames);
    for (uint32_t i = 0; i < frames; ++i) v[i] = float(amplitude * std::sin(2.0 * kPi * hz * i / rate));
    return v;
}

// Peak amplitude of a steady sine from its RMS over many periods.
double Amplitude(const float* begin, size_t count) {
    double e = 0;
    for (size_t i = 0; i < count; ++i) e += double(begin[i]) * begin[i];
    return std::sqrt(2.0 * e / count);
}

double Level(const std::vector<float>& v, double fromSeconds, double toSeconds) {
    const size_t from = size_t(fromSeconds * 44100), to = size_t(toSeconds * 44100);
    double e = 0;
    for (size_t i = from; i < to; ++i) e += double(v[i]) * v[i];
    return 10.0 * std::log10(e / double(to - from));
}

// No diffusion, so the diffusers only delay; everything but the parameters under test
// left transparent.
void Plain(EngineHarness& h) {
    h.Put(kRoomSize, 100);
    h.Put(kDiffusion, 0);
    h.Put(kLowCut, 19);
    h.Put(kHighCut, 221);
    h.Put(kDamping, 221);
}

}  // namespace

// What enters the network is kept by a 250 ms pre-delay, whose line shows the input
// filters' steady-state gain.
TEST(EngineFilterResponse, InputFiltersShapeWhatFeedsTheNetwork) {
    struct Case {
        int32_t lowCut, highCut;
        double hz, low, high;  // accepted gain range
    };
    const Case cases[] = {
        {1000, 221, 1000, 0.700, 0.714},  // high-pass corner
        {1000, 221, 100, 0.09, 0.11},     // an octave-and-more below it
        {19, 40, 4000, 0.700, 0.714},     // low-pass corner
        {19, 40, 100, 0.995, 1.001},
        {19, 221, 4000, 0.995, 1.001},    // both off
        {20, 221, 4000, 0.995, 1.001},    // 20 Hz engages the high-pass, far below the tone
    };
    for (const Case& c : cases) {
        EngineHarness h(44100, 1, 1);
        Plain(h);
        h.Put(kPreDelay, 250);
        h.Put(kLowCut, c.lowCut);
        h.Put(kHighCut, c.highCut);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Sine(12000, c.hz), 4096);
        const DelayLine& pre = h.engine.State().preDelay;
        // The last writes sit just above the position.
        std::vector<float> recent(4410);  // whole periods of every tone used
        for (int32_t i = 0; i < 4410; ++i) recent[size_t(i)] = pre.data[(pre.position + 1 + i) % pre.length];
        const double gain = Amplitude(recent.data(), recent.size()) / 0.5;
        EXPECT_GT(gain, c.low) << c.lowCut << "/" << c.highCut << " at " << c.hz << " Hz";
        EXPECT_LT(gain, c.high) << c.lowCut << "/" << c.highCut << " at " << c.hz << " Hz";
    }
}

// The tank's first allpass line holds the damping output while nothing recirculates yet.
TEST(EngineFilterResponse, DampingLowPassesTheTankInput) {
    const std::pair<int32_t, double> cases[] = {{40, 0.7071}, {221, 1.0}};
    for (auto [damping, expected] : cases) {
        EngineHarness h(44100, 1, 1);
        Plain(h);
        h.Put(kDamping, damping);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Sine(5000, 4000), 4096);
        const DelayLine& line = h.engine.State().lines[4];
        EXPECT_NEAR(Amplitude(line.data, size_t(line.allocated)) / 0.5, expected, 0.006) << damping;
    }
}

// A tone burst's reverberation falls by 60 dB per decay time of pure tank delay; the
// allpass lines lengthen each loop beyond that. The shelf sits once in each half, so a loop
// gives the low band the high band's gain times the shelf ratio twice: its fall rate is
// the mean of the two bands' rates.
TEST(EngineFilterResponse, EachBandDecaysAtItsOwnRate) {
    // Several tones at once, so that no single mode of the network decides the fall.
    const auto chord = [](double lowest, double step) {
        std::vector<float> v(44100, 0.0f);
        for (int k = 0; k < 7; ++k) {
            const std::vector<float> tone = Sine(44100, lowest + k * step, 0.1);
            for (size_t i = 0; i < v.size(); ++i) v[i] += tone[i];
        }
        return v;
    };
    struct Case {
        int32_t multiply;
        bool lowBand;
    };
    const Case cases[] = {{10, true}, {10, false}, {30, true}, {30, false}, {5, true}, {20, true}};
    for (const Case& c : cases) {
        EngineHarness h(44100, 1, 1);
        Plain(h);
        h.Put(kDiffusion, 100);
        h.Put(kDryMute, 1);
        h.Put(kEarlyMute, 1);
        h.Put(kDecayTime, 15);
        h.Put(kBassMultiply, c.multiply);
        h.Put(kCrossover, 500);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(c.lowBand ? chord(40, 10) : chord(2000, 330), 4096);
        const std::vector<float> tail = h.RenderSilence(2 * 44100);
        const DelayLine* l = h.engine.State().lines;
        const double delays = l[5].length + l[7].length + l[9].length + l[11].length;
        double loop = 0;
        for (int i = 4; i < network::kLineCount; ++i) loop += l[i].length;
        const double highRate = 60.0 / 1.5;
        const double lowRate = (highRate + 60.0 / (1.5 * c.multiply / 10)) / 2;
        const double expected = (c.lowBand ? lowRate : highRate) * delays / loop;
        const double fallPerSecond = Level(tail, 0.4, 0.6) - Level(tail, 1.4, 1.6);
        EXPECT_NEAR(fallPerSecond, expected, 0.08 * expected) << c.multiply << (c.lowBand ? " low" : " high");
    }
}
