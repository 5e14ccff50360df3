#include "RunKernels.h"


namespace kernels {

bool HasAvx2() {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2");
}

namespace {

const KernelSet* current = HasAvx2() ? &kAvx2 : &kBaseline;

}  // namespace

const KernelSet& CurrentKernels() { return *current; }
void UseKernels(const KernelSet& set) { current = &set; }

void Diffuse(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c) {
    current->diffuse(slots, x, out, n, c);
}
void TankTail(float* const* slots, const float* x, float* out, uint32_t n, const EngineCoefficients& c) {
    current->tankTail(slots, x, out, n, c);
}
void Copy(const float* x, float* y, uint32_t n) { current->copy(x, y, n); }
void ExchangePlus(float* slots, const float* x, float* y, uint32_t n, float offset) {
    current->exchangePlus(slots, x, y, n, offset);
}
void Times(const float* x, float* y, uint32_t n, float gain) { current->times(x, y, n, gain); }
void Plus(const float* x, float* y, uint32_t n, float offset) { current->plus(x, y, n, offset); }
void TapSum(const float* const* slots, const float* gains, int count, float scale, float* acc,
            uint32_t n) {
    current->tapSum(slots, gains, count, scale, acc, n);
}
void InputStereo(const float* in, float gain, float* left, float* right, float* mid, uint32_t n,
                 float* peaks) {
    current->inputStereo(in, gain, left, right, mid, n, peaks);
}
void InputMono(const float* in, float gain, float* x, uint32_t n, float* peak) {
    current->inputMono(in, gain, x, n, peak);
}
void MixStereo(const MixSources& s, const EngineCoefficients& c, float width, float* out, uint32_t n,
               float* peaks) {
    current->mixStereo(s, c, width, out, n, peaks);
}
void MixMono(const MixSources& s, const EngineCoefficients& c, float* out, uint32_t n, float* peak) {
    current->mixMono(s, c, out, n, peak);
}

}  // namespace kernels
