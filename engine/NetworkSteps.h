#pragma once
#include <cstdint>

#include "EngineState.h"

// The arithmetic of one frame's steps that both renderings of the network share, the runs of
// sections and the frame stepper for short runs, so that both compute every sample with the
// same operations in the same order.
namespace steps {

// Keeps the recursive parts out of denormal numbers.
constexpr float kAntiDenormal = 1e-30f;
constexpr float kPreDelayOffset = 1e-20f;

// The signs of the early reflections and of the late taps, in the order in which the sums
// add them.
constexpr bool kEarlySubtractsLeft[network::kEarlyTapsLeft] = {false, false, true, false,
                                                               false, false, false};
constexpr bool kEarlySubtractsRight[network::kEarlyTapsRight] = {false, true, false, false,
                                                                 true, false, false, true};
constexpr bool kLateSubtractsLeft[network::kOutputTaps] = {false, true, true, true,
                                                           false, false, false};
constexpr bool kLateSubtractsRight[network::kOutputTaps] = {false, false, true, true,
                                                            true, false, false};

// One frame's input: the sides after the input gain and the mid that feeds the network.
struct InputFrame {
    float left = kAntiDenormal, right = kAntiDenormal, mid = kAntiDenormal;
};

// The arithmetic below is written once for one frame (T = float) and for a vector of frames
// (the run kernels' vector types). It has internal linkage so that each instruction set's
// kernel file compiles its own copy.
namespace {

// A sample that is not a number or infinite enters as silence: only finite values give
// x - x == 0.
template <class T>
inline T Sanitize(T sample) {
    return sample - sample == 0 ? sample : T{};
}

template <class T>
struct Sides {
    T left, right, mid;
};

template <class T>
inline Sides<T> StereoInput(T left, T right, float gain) {
    Sides<T> x;
    x.left = gain * Sanitize(left);
    x.right = gain * Sanitize(right);
    x.mid = (x.left + x.right) * 0.5f + kAntiDenormal;
    return x;
}

// A mono input's left, right and mid are this one value.
template <class T>
inline T MonoInput(T sample, float gain) {
    const T x = gain * Sanitize(sample);
    return x + kAntiDenormal;
}

// The output of frames from the late sums, the early reflections and the input.
template <class T>
inline void MixStereo(T lateLeft, T lateRight, T earlyLeft, T earlyRight, T inLeft, T inRight,
                      const EngineCoefficients& c, float width, T& left, T& right) {
    const T lw = lateLeft * c.reverbGain + earlyLeft;
    const T rw = lateRight * c.reverbGain + earlyRight;
    const T sum = lw + rw;
    const T diff = (lw - rw) * width;
    left = inLeft * c.dryGain + sum + diff;
    right = inRight * c.dryGain + (sum - diff);
}

template <class T>
inline T MixMono(T late, T early, T mid, const EngineCoefficients& c) {
    return mid * c.dryGain + late * c.reverbGain + early;
}

}  // namespace

template <bool stereoIn>
inline InputFrame ReadInput(const float* in, const EngineCoefficients& c) {
    InputFrame x;
    if constexpr (stereoIn) {
        const Sides<float> s = StereoInput(in[0], in[1], c.inputGain);
        x = {s.left, s.right, s.mid};
    } else {
        x.left = x.right = x.mid = MonoInput(in[0], c.inputGain);
    }
    return x;
}

// The input low-pass and high-pass on the mid signal: the recursions, which leave the
// filters' states in `f`, and the output from those states.
inline void InputRecursions(FilterState& f, float mid, const EngineCoefficients& c) {
    f.lowPass = f.lowPass + (mid - f.lowPass) * c.lowPassCoef;
    f.highPassAllpass = (f.lowPass - f.highPassAllpass) * c.highPassCoef + f.highPassPrev;
    f.highPassPrev = f.lowPass;
}

inline float HighPassOutput(float lowPass, float highPassAllpass) {
    return (lowPass - highPassAllpass) * 0.5f + kAntiDenormal;
}

inline float InputFilters(FilterState& f, float mid, const EngineCoefficients& c) {
    InputRecursions(f, mid, c);
    return c.highPassCoef != 0.0f ? HighPassOutput(f.lowPass, f.highPassAllpass) : f.lowPass;
}

// The per-half filter states, by reference into FilterState.
struct HalfState {
    float& shelfAllpass;
    float& shelfPrev;
    float& damping;
};

// The recursive head of a tank half: the other half's oldest sample through the decay gain
// (`f`, the product) and the bass shelf, then with the pre-delay output `x` through the
// damping low-pass.
inline float ShelfAndDamping(HalfState s, float f, float x, const EngineCoefficients& c) {
    s.shelfAllpass = (f - s.shelfAllpass) * c.shelfAllpassCoef + s.shelfPrev;
    s.shelfPrev = f;
    const float h = f + (f + s.shelfAllpass) * c.shelfGain;
    s.damping = s.damping + (h + x - s.damping) * c.dampingCoef;
    return s.damping;
}

// Block constants of the output mix: the late taps' weights, which lean toward 1 as the
// decay gain falls, and the width.
struct MixWeights {
    float late[network::kOutputTaps];
    float width;
};

inline MixWeights MixWeightsFor(const EngineCoefficients& c, int32_t width) {
    const double g = c.decayGain;
    const auto lean = [g](double share) { return float(g + (1.0 - g) * share); };
    return {{1.0f, lean(0.25), lean(0.7), lean(0.2), lean(0.6), 1.0f, lean(0.5)}, float(width * 0.01)};
}

}  // namespace steps
