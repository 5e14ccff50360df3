#pragma once
#include <cstdint>

#include "EngineState.h"
#include "ProcessorFeatures.h"

// The run kernels (RunKernels.h) compiled for one instruction set. Every set computes each
// element with the same operations in the same order (no fused multiply-add, no
// reassociation), so all sets give the same bits; wider vectors only take more frames at once.
namespace kernels {

// The arrays the output mix reads, latest frame first; by side, or only [0] for one channel.
struct MixSources {
    const float* late[2];
    const float* early[2];
    const float* in[2];
};

struct KernelSet {
    void (*diffuse)(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c);
    void (*tankTail)(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c);
    void (*copy)(const float* x, float* y, uint32_t n);
    void (*exchangePlus)(float* slots, const float* x, float* y, uint32_t n, float offset);
    void (*times)(const float* x, float* y, uint32_t n, float gain);
    void (*plus)(const float* x, float* y, uint32_t n, float offset);
    void (*tapSum)(const float* const* slots, const float* gains, int count, float scale, float* acc,
                   uint32_t n);
    void (*inputStereo)(const float* in, float gain, float* left, float* right, float* mid, uint32_t n,
                        float* peaks);
    void (*inputMono)(const float* in, float gain, float* x, uint32_t n, float* peak);
    void (*mixStereo)(const MixSources& s, const EngineCoefficients& c, float width, float* out, uint32_t n,
                      float* peaks);
    void (*mixMono)(const MixSources& s, const EngineCoefficients& c, float* out, uint32_t n, float* peak);
};

extern const KernelSet kBaseline;  // baseline x86-64 (SSE2, 4 lanes)
extern const KernelSet kAvx2;      // AVX2 (8 lanes); only where the processor has it

// The set the kernels use: AVX2 where the processor has it, else the baseline. Measurements
// may choose the baseline to compare the two.
const KernelSet& CurrentKernels();
void UseKernels(const KernelSet& set);

}  // namespace kernels
