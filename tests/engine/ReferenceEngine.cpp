#include "ReferenceEngine.h"

#include <algorithm>
#include <cmath>

namespace {

// Keeps the recursive parts out of denormal numbers.
constexpr float kAntiDenormal = 1e-30f;
constexpr float kPreDelayOffset = 1e-20f;
constexpr int32_t kClipHoldCount = 3;
constexpr int kClipInputSlot = 0;
constexpr int kClipOutputSlot = 2;

// Allpass section on its own line: feed-forward `a`, feedback `b`.
inline float Allpass(DelayLine& line, float x, float a, float b) {
    const float d = line.Read();
    const float y = d - a * x;
    line.WriteAndStep(x + b * y);
    return y;
}

// A sample that is not a number or infinite enters as silence.
inline float Sanitize(float sample) { return std::isfinite(sample) ? sample : 0.0f; }

inline bool Overloads(float x) { return x > 1.0f || x < -1.0f; }

// Half `half` of the recirculating network: `feedback` is the other half's oldest sample,
// `x` the pre-delay output; `lines` are its allpass, delay, allpass and delay lines.
// Returns the value for its last delay line.
inline float TankHalf(float feedback, float x, int half, FilterState& s, DelayLine* lines,
                      const EngineCoefficients& c) {
    const float f = feedback * c.decayGain;
    s.shelfAllpass[half] = (f - s.shelfAllpass[half]) * c.shelfAllpassCoef + s.shelfPrev[half];
    s.shelfPrev[half] = f;
    const float h = f + (f + s.shelfAllpass[half]) * c.shelfGain;
    s.damping[half] = s.damping[half] + (h + x - s.damping[half]) * c.dampingCoef;
    const float a = Allpass(lines[0], s.damping[half], c.tankAllpassCoef1, c.tankAllpassCoef1);
    float o = lines[1].Read();
    lines[1].WriteAndStep(a);
    o = o * c.decayGain;
    return Allpass(lines[2], o, c.tankAllpassCoef2, c.tankAllpassCoef2);
}

// Block constants: tap weights that lean toward 1 as the decay gain falls.
float Lean(double g, double share) { return float(g + (1.0 - g) * share); }

}  // namespace

template <bool stereoIn, bool stereoOut>
void ReferenceEngine::RenderLayout(const float* input, float* output, uint32_t frames,
                                int32_t width, BlockPeaks& peaks) {
    const EngineCoefficients c = state_.coef;
    const EngineTaps& taps = state_.taps;
    FilterState f = state_.filters;
    DelayLine* line = state_.lines;
    DelayLine& pre = state_.preDelay;
    EarlyTapLine& early = state_.early;

    const double g = c.decayGain;
    const float w60 = Lean(g, 0.6), w25 = Lean(g, 0.25), w70 = Lean(g, 0.7);
    const float w50 = Lean(g, 0.5), w20 = Lean(g, 0.2);
    const float k = float(width * 0.01);
    const auto tapLeft = [&](int i) { return line[network::kOutputLeft[i].line].Tap(taps.left[i]); };
    const auto tapRight = [&](int i) { return line[network::kOutputRight[i].line].Tap(taps.right[i]); };
    const auto reflectLeft = [&](int i) { return early.Tap(taps.earlyDelayLeft[i]) * taps.earlyGainLeft[i]; };
    const auto reflectRight = [&](int i) { return early.Tap(taps.earlyDelayRight[i]) * taps.earlyGainRight[i]; };

    float xL = kAntiDenormal, xR = kAntiDenormal, xM = kAntiDenormal;
    float earlyLeft = 0.0f, earlyRight = 0.0f;
    for (uint32_t i = 0; i < frames; ++i) {
        if (input != nullptr) {
            if constexpr (stereoIn) {
                xL = c.inputGain * Sanitize(input[2 * i]);
                xR = c.inputGain * Sanitize(input[2 * i + 1]);
                xM = (xL + xR) * 0.5f + kAntiDenormal;
            } else {
                xL = c.inputGain * Sanitize(input[i]);
                xL = xL + kAntiDenormal;
                xR = xM = xL;
            }
            if (Overloads(xL)) clipHold_[kLeft][kClipInputSlot].store(kClipHoldCount, std::memory_order_relaxed);
            if (Overloads(xR)) clipHold_[kRight][kClipInputSlot].store(kClipHoldCount, std::memory_order_relaxed);
        }
        peaks.inLeft = std::max(peaks.inLeft, std::fabs(xL));
        peaks.inRight = std::max(peaks.inRight, std::fabs(xR));

        f.lowPass = f.lowPass + (xM - f.lowPass) * c.lowPassCoef;
        f.highPassAllpass = (f.lowPass - f.highPassAllpass) * c.highPassCoef + f.highPassPrev;
        f.highPassPrev = f.lowPass;
        float s = f.lowPass;
        if (c.highPassCoef != 0.0f) s = (f.lowPass - f.highPassAllpass) * 0.5f + kAntiDenormal;

        if (c.earlyGain != 0.0f) {
            earlyLeft = (reflectLeft(0) + reflectLeft(1) - reflectLeft(2) + reflectLeft(3) +
                         reflectLeft(4) + reflectLeft(5) + reflectLeft(6)) * c.earlyGain;
            earlyRight = (reflectRight(0) - reflectRight(1) + reflectRight(2) + reflectRight(3) -
                          reflectRight(4) + reflectRight(5) + reflectRight(6) - reflectRight(7)) *
                         c.earlyGain;
        }

        float y = Allpass(line[0], s, c.diffuserCoefA, c.diffuserCoefA);
        y = Allpass(line[1], y, c.diffuserCoefB, c.diffuserCoefA);
        early.WriteAndStep(y);
        y = Allpass(line[2], y, c.diffuserCoefA, c.diffuserCoefA);
        y = Allpass(line[3], y, c.diffuserCoefB, c.diffuserCoefA);

        float x = pre.Read();
        pre.WriteAndStep(y);
        x = x + kPreDelayOffset;

        line[7].WriteAndStep(TankHalf(line[11].Read(), x, 0, f, line + 4, c));
        line[11].WriteAndStep(TankHalf(line[7].Read(), x, 1, f, line + 8, c));

        const float sl = tapLeft(0) - w25 * tapLeft(1) - w70 * tapLeft(2) - w20 * tapLeft(3) +
                         w60 * tapLeft(4) + tapLeft(5) + w50 * tapLeft(6);
        float left, right;
        if constexpr (stereoOut) {
            const float sr = tapRight(0) + w25 * tapRight(1) - w70 * tapRight(2) - w20 * tapRight(3) -
                             w60 * tapRight(4) + tapRight(5) + w50 * tapRight(6);
            const float lw = sl * c.reverbGain + earlyLeft;
            const float rw = sr * c.reverbGain + earlyRight;
            const float sum = lw + rw;
            const float diff = (lw - rw) * k;
            left = xL * c.dryGain + sum + diff;
            right = xR * c.dryGain + (sum - diff);
            output[2 * i] = left;
            output[2 * i + 1] = right;
        } else {
            left = right = xM * c.dryGain + sl * c.reverbGain + earlyLeft;
            output[i] = left;
        }
        if (Overloads(left)) clipHold_[kLeft][kClipOutputSlot].store(kClipHoldCount, std::memory_order_relaxed);
        if (Overloads(right)) clipHold_[kRight][kClipOutputSlot].store(kClipHoldCount, std::memory_order_relaxed);
        peaks.outLeft = std::max(peaks.outLeft, std::fabs(left));
        peaks.outRight = std::max(peaks.outRight, std::fabs(right));
    }
    state_.filters = f;
}

void ReferenceEngine::RenderFrames(const float* input, float* output, uint32_t frames,
                                int32_t width, BlockPeaks& peaks) {
    const bool stereoIn = state_.inputChannels == 2;
    if (state_.outputChannels == 2) {
        if (stereoIn) RenderLayout<true, true>(input, output, frames, width, peaks);
        else RenderLayout<false, true>(input, output, frames, width, peaks);
    } else {
        if (stereoIn) RenderLayout<true, false>(input, output, frames, width, peaks);
        else RenderLayout<false, false>(input, output, frames, width, peaks);
    }
}
