#include "RunKernels.h"

namespace kernels {

void Allpass(float* __restrict slots, const float* __restrict x, float* __restrict y, uint32_t n,
             float a, float b) {
    for (uint32_t i = 0; i < n; ++i) {
        const float out = slots[i] - a * x[i];
        slots[i] = x[i] + b * out;
        y[i] = out;
    }
}

void Copy(const float* __restrict x, float* __restrict y, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) y[i] = x[i];
}

void Exchange(float* __restrict slots, const float* __restrict x, float* __restrict y, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) {
        y[i] = slots[i];
        slots[i] = x[i];
    }
}

void TapFirst(const float* __restrict slots, float* __restrict acc, uint32_t n, float gain) {
    for (uint32_t i = 0; i < n; ++i) acc[i] = slots[i] * gain;
}

void TapAdd(const float* __restrict slots, float* __restrict acc, uint32_t n, float gain) {
    for (uint32_t i = 0; i < n; ++i) acc[i] = acc[i] + slots[i] * gain;
}

void TapSubtract(const float* __restrict slots, float* __restrict acc, uint32_t n, float gain) {
    for (uint32_t i = 0; i < n; ++i) acc[i] = acc[i] - slots[i] * gain;
}

void Scale(float* v, uint32_t n, float gain) {
    for (uint32_t i = 0; i < n; ++i) v[i] = v[i] * gain;
}

void Offset(float* v, uint32_t n, float offset) {
    for (uint32_t i = 0; i < n; ++i) v[i] = v[i] + offset;
}

// Eight running maxima side by side, so that the loop runs in vector lanes; the maximum of
// a set does not depend on the order in which it is taken.
float Peak(const float* v, uint32_t n, float peak) {
    constexpr uint32_t kLanes = 8;
    float lanes[kLanes] = {};
    uint32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        for (uint32_t l = 0; l < kLanes; ++l) lanes[l] = Raise(lanes[l], v[i + l]);
    for (; i < n; ++i) peak = Raise(peak, v[i]);
    for (float m : lanes) peak = Raise(peak, m);
    return peak;
}

}  // namespace kernels
