#pragma once
// The bodies of the run kernels, included once by each file that compiles them for an
// instruction set. Everything here has internal linkage and calls nothing that is not
// inlined, so that no function compiled for a wider instruction set is shared with code
// that runs on every processor.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <utility>

#include "KernelSet.h"
#include "NetworkSteps.h"

namespace kernels {
namespace {

// The vectors of this instruction set, for the loops written with them; the compiler
// vectorises the other loops itself.
#if defined(__AVX__)
constexpr uint32_t kLanes = 8;
#else
constexpr uint32_t kLanes = 4;
#endif
typedef float Vec __attribute__((vector_size(kLanes * sizeof(float))));
typedef int32_t Bits __attribute__((vector_size(kLanes * sizeof(float))));
using Lanes = std::make_index_sequence<kLanes>;

inline Vec Load(const float* p) {
    Vec v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

inline void Store(float* p, Vec v) { __builtin_memcpy(p, &v, sizeof v); }

// Vectors of four lanes, for what is left of a run after the whole vectors of a wider set.
typedef float Quad __attribute__((vector_size(4 * sizeof(float))));

// Runs body(i, T{}) over the frames, with T the vector types for whole vectors of frames
// from i on and float for the last frames.
template <class Body>
inline void ForFrames(uint32_t n, Body body) {
    uint32_t i = 0;
    for (; i + kLanes <= n; i += kLanes) body(i, Vec{});
    if constexpr (kLanes > 4)
        if (i + 4 <= n) {
            body(i, Quad{});
            i += 4;
        }
    for (; i < n; ++i) body(i, 0.0f);
}

inline void Get(const float* p, float& v) { v = *p; }
inline void Get(const float* p, Vec& v) { v = Load(p); }
inline void Put(float* p, float v) { *p = v; }
inline void Put(float* p, Vec v) { Store(p, v); }
#if defined(__AVX__)
inline void Get(const float* p, Quad& v) { __builtin_memcpy(&v, p, sizeof v); }
inline void Put(float* p, Quad v) { __builtin_memcpy(p, &v, sizeof v); }
#endif

template <class T>
inline T At(const float* p) {
    T v;
    Get(p, v);
    return v;
}

// One allpass section's step: d = slot; y = d - a * x; slot = x + b * y.
template <class T>
inline T AllpassStep(T& slot, T x, float a, float b) {
    const T y = slot - a * x;
    slot = x + b * y;
    return y;
}

// The four input diffusers in a row, the second's output also into the early-tap line; the
// slots are those of lines 0 and 1, the early-tap line's, and those of lines 2 and 3. The
// coefficients are copied, as the stores could otherwise change them.
void DiffuseBody(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c) {
    const float a = c.diffuserCoefA, b = c.diffuserCoefB;
    ForFrames(n, [&](uint32_t i, auto zero) {
        using T = decltype(zero);
        T s[4] = {At<T>(slots[0] + i), At<T>(slots[1] + i), At<T>(slots[3] + i), At<T>(slots[4] + i)};
        T y = AllpassStep(s[0], At<T>(x + i), a, a);
        y = AllpassStep(s[1], y, b, a);
        Put(slots[2] + i, y);
        y = AllpassStep(s[2], y, a, a);
        Put(out + i, AllpassStep(s[3], y, b, a));
        for (int l = 0; l < 4; ++l) Put(slots[l < 2 ? l : l + 1] + i, s[l]);
    });
}

// The rest of a tank half after its recursive head: allpass, delay, decay gain, allpass and
// the write into its last line; the slots are those of its allpass, delay, allpass and last
// lines.
void TankTailBody(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c) {
    const float first = c.tankAllpassCoef1, second = c.tankAllpassCoef2, gain = c.decayGain;
    ForFrames(n, [&](uint32_t i, auto zero) {
        using T = decltype(zero);
        T s[4] = {At<T>(slots[0] + i), At<T>(slots[1] + i), At<T>(slots[2] + i)};
        const T o = s[1] * gain;
        s[1] = AllpassStep(s[0], At<T>(x + i), first, first);
        s[3] = AllpassStep(s[2], o, second, second);
        Put(out + i, s[3]);
        for (int l = 0; l < 4; ++l) Put(slots[l] + i, s[l]);
    });
}

void CopyBody(const float* __restrict x, float* __restrict y, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) y[i] = x[i];
}

void ExchangePlusBody(float* __restrict slots, const float* __restrict x, float* __restrict y, uint32_t n,
                      float offset) {
    for (uint32_t i = 0; i < n; ++i) {
        y[i] = slots[i] + offset;
        slots[i] = x[i];
    }
}

void TimesBody(const float* __restrict x, float* __restrict y, uint32_t n, float gain) {
    for (uint32_t i = 0; i < n; ++i) y[i] = x[i] * gain;
}

void PlusBody(const float* __restrict x, float* __restrict y, uint32_t n, float offset) {
    for (uint32_t i = 0; i < n; ++i) y[i] = x[i] + offset;
}

// One pass over the frames with the sum in a register; the tap count fixed, so that the sum
// over the taps unrolls and the loop over the frames runs in vector lanes.
template <int count>
void TapSumOf(const float* const* slots, const float* gains, float scale, float* __restrict acc,
              uint32_t n) {
    const float* s[count];
    float g[count];
    for (int t = 0; t < count; ++t) {
        s[t] = slots[t];
        g[t] = gains[t];
    }
    for (uint32_t i = 0; i < n; ++i) {
        float a = s[0][i] * g[0];
        for (int t = 1; t < count; ++t) a = a + s[t][i] * g[t];
        acc[i] = a * scale;
    }
}

// The network sums seven taps (the late outputs, the left early reflections) or eight (the
// right early reflections).
void TapSumBody(const float* const* slots, const float* gains, int count, float scale, float* acc,
                uint32_t n) {
    if (count == 7) return TapSumOf<7>(slots, gains, scale, acc, n);
    TapSumOf<8>(slots, gains, scale, acc, n);
}

// As kernels::Raise, kept here so that no copy of it is compiled for a wider set; lane by
// lane for vectors. The maximum of a set does not depend on the order in which it is taken.
inline float RaiseLocal(float peak, float v) {
    const float m = std::fabs(v);
    return peak < m ? m : peak;
}

inline Vec RaiseLocal(Vec peak, Vec v) {
    const Vec m = Vec(Bits(v) & 0x7fffffff);
    return peak < m ? m : peak;
}

inline float RaiseLocal(float peak, Vec lanes) {
    for (uint32_t l = 0; l < kLanes; ++l) peak = RaiseLocal(peak, lanes[l]);
    return peak;
}

// One side (0 left, 1 right) of the frames interleaved in the vectors a and b in the order
// of time, latest first; one vector's frames latest first; and back from the sides to half
// `half` (0 or 1) of the interleaved frames in the order of time.
template <int side, size_t... I>
inline Vec SideReversed(Vec a, Vec b, std::index_sequence<I...>) {
    return __builtin_shufflevector(a, b, int(2 * (kLanes - 1 - I) + side)...);
}

template <size_t... I>
inline Vec Reversed(Vec v, std::index_sequence<I...>) {
    return __builtin_shufflevector(v, v, int(kLanes - 1 - I)...);
}

template <uint32_t half, size_t... P>
inline Vec InterleavedReversed(Vec left, Vec right, std::index_sequence<P...>) {
    return __builtin_shufflevector(left, right,
                                   int((P % 2) * kLanes + kLanes - 1 - (half * kLanes / 2 + P / 2))...);
}

// Frame k of the order of time is at index n - 1 - k of the run's arrays; a vector takes the
// frames k .. k + kLanes - 1 from index n - k - kLanes up.
void InputStereoBody(const float* in, float gain, float* left, float* right, float* mid, uint32_t n,
                     float* peaks) {
    Vec peakLeft = {}, peakRight = {};
    uint32_t k = 0;
    for (; k + kLanes <= n; k += kLanes) {
        const Vec a = Load(in + 2 * k), b = Load(in + 2 * k + kLanes);
        const steps::Sides<Vec> x =
            steps::StereoInput(SideReversed<0>(a, b, Lanes()), SideReversed<1>(a, b, Lanes()), gain);
        const uint32_t i = n - k - kLanes;
        Store(left + i, x.left);
        Store(right + i, x.right);
        Store(mid + i, x.mid);
        peakLeft = RaiseLocal(peakLeft, x.left);
        peakRight = RaiseLocal(peakRight, x.right);
    }
    for (; k < n; ++k) {
        const steps::Sides<float> x = steps::StereoInput(in[2 * k], in[2 * k + 1], gain);
        const uint32_t i = n - 1 - k;
        left[i] = x.left;
        right[i] = x.right;
        mid[i] = x.mid;
        peaks[0] = RaiseLocal(peaks[0], x.left);
        peaks[1] = RaiseLocal(peaks[1], x.right);
    }
    peaks[0] = RaiseLocal(peaks[0], peakLeft);
    peaks[1] = RaiseLocal(peaks[1], peakRight);
}

void InputMonoBody(const float* in, float gain, float* x, uint32_t n, float* peak) {
    Vec lanes = {};
    uint32_t k = 0;
    for (; k + kLanes <= n; k += kLanes) {
        const Vec v = steps::MonoInput(Reversed(Load(in + k), Lanes()), gain);
        Store(x + (n - k - kLanes), v);
        lanes = RaiseLocal(lanes, v);
    }
    for (; k < n; ++k) {
        x[n - 1 - k] = steps::MonoInput(in[k], gain);
        *peak = RaiseLocal(*peak, x[n - 1 - k]);
    }
    *peak = RaiseLocal(*peak, lanes);
}

// The output frames k .. k + kLanes - 1 come from index i = n - k - kLanes up, as the input.
void MixStereoBody(const MixSources& s, const EngineCoefficients& c, float width, float* out, uint32_t n,
                   float* peaks) {
    Vec peakLeft = {}, peakRight = {};
    uint32_t k = 0;
    for (; k + kLanes <= n; k += kLanes) {
        const uint32_t i = n - k - kLanes;
        Vec left, right;
        steps::MixStereo(Load(s.late[0] + i), Load(s.late[1] + i), Load(s.early[0] + i), Load(s.early[1] + i),
                         Load(s.in[0] + i), Load(s.in[1] + i), c, width, left, right);
        peakLeft = RaiseLocal(peakLeft, left);
        peakRight = RaiseLocal(peakRight, right);
        Store(out + 2 * k, InterleavedReversed<0>(left, right, Lanes()));
        Store(out + 2 * k + kLanes, InterleavedReversed<1>(left, right, Lanes()));
    }
    for (; k < n; ++k) {
        const uint32_t i = n - 1 - k;
        steps::MixStereo(s.late[0][i], s.late[1][i], s.early[0][i], s.early[1][i], s.in[0][i], s.in[1][i], c,
                         width, out[2 * k], out[2 * k + 1]);
        peaks[0] = RaiseLocal(peaks[0], out[2 * k]);
        peaks[1] = RaiseLocal(peaks[1], out[2 * k + 1]);
    }
    peaks[0] = RaiseLocal(peaks[0], peakLeft);
    peaks[1] = RaiseLocal(peaks[1], peakRight);
}

void MixMonoBody(const MixSources& s, const EngineCoefficients& c, float* out, uint32_t n, float* peak) {
    Vec lanes = {};
    uint32_t k = 0;
    for (; k + kLanes <= n; k += kLanes) {
        const uint32_t i = n - k - kLanes;
        const Vec v = steps::MixMono(Load(s.late[0] + i), Load(s.early[0] + i), Load(s.in[0] + i), c);
        lanes = RaiseLocal(lanes, v);
        Store(out + k, Reversed(v, Lanes()));
    }
    for (; k < n; ++k) {
        const uint32_t i = n - 1 - k;
        out[k] = steps::MixMono(s.late[0][i], s.early[0][i], s.in[0][i], c);
        *peak = RaiseLocal(*peak, out[k]);
    }
    *peak = RaiseLocal(*peak, lanes);
}

constexpr KernelSet kThisSet = {DiffuseBody,     TankTailBody,  CopyBody,    ExchangePlusBody,
                                TimesBody,       PlusBody,      TapSumBody,  InputStereoBody,
                                InputMonoBody,   MixStereoBody, MixMonoBody};

}  // namespace
}  // namespace kernels
