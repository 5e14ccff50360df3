#include <algorithm>
#include <cmath>

#include "ReverbEngine.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kFall60dB = -6.907755278982137;  // ln(0.001)

// Tenths of a decibel to a linear gain; below -36.0 dB is off.
double LevelToGain(int32_t tenthsDb) {
    return tenthsDb < -360 ? 0.0 : std::pow(10.0, tenthsDb * 0.005);
}

// One-pole low-pass coefficient for a corner of `hundredsHz` x 100 Hz; 221 and above is off.
float OnePoleCoef(int32_t hundredsHz, uint32_t rate) {
    if (hundredsHz >= 221) return 1.0f;
    const double w = 2.0 * kPi * 100.0 * hundredsHz / rate;
    const double b = 2.0 - std::cos(w);
    return float(1.0 - (b - std::sqrt(b * b - 1.0)));
}

// Loop gain that makes a signal circulating through `samples` fall by 60 dB in `seconds`.
float FallGain(double samples, uint32_t rate, double seconds) {
    return float(std::exp(kFall60dB * (samples / rate) / seconds));
}

// Gain per tank delay for a whole-network fall of 60 dB in `seconds`; `s` is the network's
// log fall per second of delay.
double DecayPerDelay(double s, double seconds) { return std::sqrt(std::sqrt(std::exp(s / seconds))); }

// Corners at or above half the rate are held just there, where tan still is finite.
double TanCorner(double hz, uint32_t rate) {
    if (hz >= rate * 0.5) hz = rate * 0.5;
    return std::tan(kPi * hz / rate);
}

int32_t Scaled(int32_t nominal, int64_t scale, int64_t unit) { return int32_t(nominal * scale / unit); }

}  // namespace

int ReverbEngine::UpdateCoefficients(const ReverbParams& p) {
    if (!state_.prepared) return -1;
    const uint32_t r = state_.sampleRate;
    EngineCoefficients& c = state_.coef;
    EngineTaps& taps = state_.taps;

    c.inputGain = p.InputMute != 0 ? 0.0f : float(LevelToGain(p.InputGain));

    if (p.LowCut <= 19) {
        c.highPassCoef = 0.0f;
    } else {
        const double t = TanCorner(p.LowCut, r);
        c.highPassCoef = float((t - 1.0) / (t + 1.0));
    }
    c.lowPassCoef = OnePoleCoef(p.HighCut, r);

    state_.preDelay.Resize(std::max<int32_t>(1, Scaled(p.PreDelay, r, 1000)));

    // Room scale: equals the rate at full size.
    const int64_t u = int64_t(p.RoomSize + 15) * r / 115;
    for (int i = 0; i < network::kLineCount; ++i)
        state_.lines[i].Resize(std::max<int32_t>(1, Scaled(network::kNominalLength[i], u, 20000)));
    for (int i = 0; i < network::kOutputTaps; ++i) {
        taps.left[i] = Scaled(network::kOutputLeft[i].offset, u, 20000);
        taps.right[i] = Scaled(network::kOutputRight[i].offset, u, 20000);
    }

    // Early delays divide by multiplying with the single-precision reciprocal, which
    // decides the truncation of exact quotients.
    const int64_t v = int64_t(p.RoomSize + 3) * r / 103;
    const float inv29400 = 1.0f / 29400.0f;
    for (int i = 0; i < network::kEarlyTapsLeft; ++i)
        taps.earlyDelayLeft[i] = int32_t(float(network::kEarlyLeft[i] * v) * inv29400);
    for (int i = 0; i < network::kEarlyTapsRight; ++i)
        taps.earlyDelayRight[i] = int32_t(float(network::kEarlyRight[i] * v) * inv29400);
    // Gains fall with the inverse of the delay; the nearer first reflection gets 0.5.
    // A delay of 0 (only at absurdly low rates) divides as 1.
    const double m = std::min(taps.earlyDelayLeft[0], taps.earlyDelayRight[0]);
    for (int i = 0; i < network::kEarlyTapsLeft; ++i)
        taps.earlyGainLeft[i] = float(0.5 * m / std::max(1, taps.earlyDelayLeft[i]));
    for (int i = 0; i < network::kEarlyTapsRight; ++i)
        taps.earlyGainRight[i] = float(0.46 * m / std::max(1, taps.earlyDelayRight[i]));
    taps.earlyGainRight[0] = float(0.23 * m / std::max(1, taps.earlyDelayRight[0]));

    if (p.RoomSize != state_.cachedRoomSize) {
        state_.cachedRoomSize = p.RoomSize;
        ClearNetwork();
    }

    const auto length = [this](int line) { return double(state_.lines[line].length); };
    const double d = p.Diffusion * 0.01;
    if (p.Diffusion == 0) {
        c.diffuserCoefA = c.diffuserCoefB = c.tankAllpassCoef1 = c.tankAllpassCoef2 = 0.0f;
    } else {
        c.diffuserCoefA = FallGain((length(0) + length(1)) * 0.5, r, d * 0.07);
        c.diffuserCoefB = FallGain((length(2) + length(3)) * 0.5, r, d * 0.11);
        c.tankAllpassCoef1 = FallGain((length(4) + length(8)) * 0.5, r, d * 0.35);
        c.tankAllpassCoef2 = FallGain((length(6) + length(10)) * 0.5, r, d * 0.51);
    }

    const double seconds = p.DecayTime * 0.1;
    const double s = kFall60dB * (length(5) + length(7) + length(9) + length(11)) / r;
    const double decay = DecayPerDelay(s, seconds);
    c.decayGain = float(decay);

    // Low band: the shelf's gain at 0 Hz is the ratio of the low-band to the full-band loop
    // gain. The multiplier is applied as a factor of the time so that 1.0x gives exactly 1.
    const double ratio = DecayPerDelay(s, seconds * (p.BassMultiply * 0.1)) / decay;
    c.shelfGain = float((ratio - 1.0) * 0.5);
    const double corner = ratio > 1.0 ? 1.0 : ratio;
    const double t = TanCorner(p.Crossover, r);
    c.shelfAllpassCoef = float((t - corner) / (t + corner));

    c.dampingCoef = OnePoleCoef(p.Damping, r);
    c.dryGain = p.DryMute != 0 ? 0.0f : float(LevelToGain(p.DryLevel));
    c.earlyGain = p.EarlyMute != 0 ? 0.0f : float(0.5 * LevelToGain(p.EarlyLevel));
    c.reverbGain = p.ReverbMute != 0 ? 0.0f : float(0.3 * LevelToGain(p.ReverbLevel));
    state_.coefficientsValid = true;
    return 0;
}
