#pragma once
#include <cmath>
#include <cstdint>

// Element-wise work over the frames of one run, each frame's arithmetic exactly that of the
// frame-by-frame network (same operations, same order, no fused multiply-add), so that
// frames can be computed in any order and in vector lanes. `slots` point into a delay line
// at the run's stretch; other arrays hold one value per frame.
namespace kernels {

// d = slot; y = d - a * x; slot = x + b * y.
void Allpass(float* slots, const float* x, float* y, uint32_t n, float a, float b);
// y = x.
void Copy(const float* x, float* y, uint32_t n);
// y = slot; slot = x.
void Exchange(float* slots, const float* x, float* y, uint32_t n);
// acc = slot * gain (gain 1 reads the slot exactly).
void TapFirst(const float* slots, float* acc, uint32_t n, float gain);
// acc = acc + slot * gain, or acc - slot * gain.
void TapAdd(const float* slots, float* acc, uint32_t n, float gain);
void TapSubtract(const float* slots, float* acc, uint32_t n, float gain);
// v = v * gain, v = v + offset.
void Scale(float* v, uint32_t n, float gain);
void Offset(float* v, uint32_t n, float offset);
// The larger of `peak` and every |v| (values that are not numbers are passed over).
float Peak(const float* v, uint32_t n, float peak);
inline float Raise(float peak, float v) {
    const float m = std::fabs(v);
    return peak < m ? m : peak;
}

}  // namespace kernels
