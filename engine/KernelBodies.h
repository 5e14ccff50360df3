#pragma once
// The bodies of the run kernels, included once by each file that compiles them for an
// instruction set. Everything here has internal linkage and calls nothing that is not
// inlined, so that no function compiled for a wider instruction set is shared with code
// that runs on every processor.
#include <cmath>
#include <cstdint>

#include "KernelSet.h"

namespace kernels {
namespace {

void AllpassBody(float* __restrict slots, const float* __restrict x, float* __restrict y, uint32_t n,
                 float a, float b) {
    for (uint32_t i = 0; i < n; ++i) {
        const float out = slots[i] - a * x[i];
        slots[i] = x[i] + b * out;
        y[i] = out;
    }
}

void CopyBody(const float* __restrict x, float* __restrict y, uint32_t n) {
    for (uint32_t i = 0; i < n; ++i) y[i] = x[i];
}

void ExchangeTimesBody(float* __restrict slots, const float* __restrict x, float* __restrict y, uint32_t n,
                       float gain) {
    for (uint32_t i = 0; i < n; ++i) {
        y[i] = slots[i] * gain;
        slots[i] = x[i];
    }
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

void TapSumBody(const float* const* slots, const float* gains, int count, float scale, float* acc,
                uint32_t n) {
    switch (count) {
    case 7: return TapSumOf<7>(slots, gains, scale, acc, n);
    case 8: return TapSumOf<8>(slots, gains, scale, acc, n);
    default:
        for (uint32_t i = 0; i < n; ++i) {
            float a = slots[0][i] * gains[0];
            for (int t = 1; t < count; ++t) a = a + slots[t][i] * gains[t];
            acc[i] = a * scale;
        }
    }
}

// As kernels::Raise, kept here so that no copy of it is compiled for a wider set.
inline float RaiseLocal(float peak, float v) {
    const float m = std::fabs(v);
    return peak < m ? m : peak;
}

// Eight running maxima side by side, so that the loop runs in vector lanes; the maximum of
// a set does not depend on the order in which it is taken.
float PeakBody(const float* v, uint32_t n, float peak) {
    constexpr uint32_t kLanes = 8;
    float lanes[kLanes] = {};
    uint32_t i = 0;
    for (; i + kLanes <= n; i += kLanes)
        for (uint32_t l = 0; l < kLanes; ++l) lanes[l] = RaiseLocal(lanes[l], v[i + l]);
    for (; i < n; ++i) peak = RaiseLocal(peak, v[i]);
    for (float m : lanes) peak = RaiseLocal(peak, m);
    return peak;
}

constexpr KernelSet kThisSet = {AllpassBody, CopyBody, ExchangeTimesBody, ExchangePlusBody,
                                TimesBody,   PlusBody, TapSumBody,        PeakBody};

}  // namespace
}  // namespace kernels
