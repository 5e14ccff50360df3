#pragma once
#include <cmath>
#include <cstdint>

#include "KernelSet.h"

// Element-wise work over the frames of one run, each frame's arithmetic exactly that of the
// frame-by-frame network (same operations, same order, no fused multiply-add), so that
// frames can be computed in any order and in vector lanes. `slots` point into a delay line
// at the run's stretch; other arrays hold one value per frame. Each call goes to the kernel
// set chosen for the processor (KernelSet.h).
namespace kernels {

// Sections in a row over stretches that lie contiguously on each of their lines, one slot
// pointer per line: the four input diffusers (lines 0, 1, the early-tap line, 2, 3), and a
// tank half after its recursive head (its allpass, delay, allpass and last lines). Each
// allpass is d = slot; y = d - a * x; slot = x + b * y.
void Diffuse(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c);
void TankTail(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c);
// y = x.
void Copy(const float* x, float* y, uint32_t n);
// y = slot + offset; slot = x.
void ExchangePlus(float* slots, const float* x, float* y, uint32_t n, float offset);
// y = x * gain, or x + offset: the same from one array into another.
void Times(const float* x, float* y, uint32_t n, float gain);
void Plus(const float* x, float* y, uint32_t n, float offset);
// acc = (slots[0] * gains[0] + slots[1] * gains[1] + ...) * scale, added from the left, for
// `count` taps, 7 or 8 (the network's sums), that each lie contiguously over the n frames.
// A term subtracted in the network has its gain negated here: x - y * g and x + y * -g give
// the same bits; so do x and x * 1 for a sum without a scale.
constexpr int kMaxTaps = 8;
void TapSum(const float* const* slots, const float* gains, int count, float scale, float* acc,
            uint32_t n);
// A run's input, n interleaved frames in the order of time, through the input gain into
// arrays latest first (the mid only for two channels); raises peaks[0] and [1] (the left and
// right) or *peak with the sides' magnitudes.
void InputStereo(const float* in, float gain, float* left, float* right, float* mid, uint32_t n,
                 float* peaks);
void InputMono(const float* in, float gain, float* x, uint32_t n, float* peak);
// The output mix of a run into interleaved frames in the order of time, raising the peaks
// of the output as the input ones.
void MixStereo(const MixSources& s, const EngineCoefficients& c, float width, float* out, uint32_t n,
               float* peaks);
void MixMono(const MixSources& s, const EngineCoefficients& c, float* out, uint32_t n, float* peak);
// The larger of `peak` and the magnitude of v (values that are not numbers are passed over).
inline float Raise(float peak, float v) {
    const float m = std::fabs(v);
    return peak < m ? m : peak;
}

}  // namespace kernels
