// The kernel sets for wider vectors against the baseline set: the same bits for every
// kernel over lengths that end inside a vector and lengths of whole vectors.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

#include "KernelSet.h"
#include "Signals.h"

namespace {

using kernels::KernelSet;

// Noise with values of every size, the not-a-number the peaks must pass over, and a
// negative zero.
std::vector<float> Input(uint32_t n, uint32_t seed) {
    std::vector<float> v = Noise(n, seed);
    for (uint32_t i = 0; i < n; ++i) v[i] *= float(1 << (i % 9));
    if (n > 5) v[5] = std::numeric_limits<float>::quiet_NaN();
    if (n > 2) v[2] = -0.0f;
    return v;
}

// The sum of `count` taps, each from its own stretch.
void TapSum(const KernelSet& set, int count, float* acc, uint32_t n) {
    std::vector<std::vector<float>> taps;
    std::vector<const float*> at;
    std::vector<float> gains;
    for (int t = 0; t < count; ++t) {
        taps.push_back(Input(n, 10 + t));
        gains.push_back(t % 3 == 1 ? -0.31f * float(t) : 0.17f * float(t + 1));
    }
    for (const std::vector<float>& tap : taps) at.push_back(tap.data());
    set.tapSum(at.data(), gains.data(), count, 0.57f, acc, n);
}

// Coefficients with a different value in every field a kernel reads.
EngineCoefficients Coefficients() {
    EngineCoefficients c;
    c.diffuserCoefA = c.tankAllpassCoef1 = 0.61f;
    c.diffuserCoefB = c.tankAllpassCoef2 = -0.43f;
    c.decayGain = 0.87f;
    c.reverbGain = 0.71f;
    c.dryGain = -0.37f;
    return c;
}

// One kernel over `a` and `b` (a delay line's stretch and an input) into `y`. y holds
// kStretches stretches of n + 1 values, noise too, for the kernels that work on more arrays.
using KernelRun = void (*)(const KernelSet& set, float* a, float* b, float* y, uint32_t n);
constexpr uint32_t kStretches = 8;

}  // namespace

TEST(KernelSets, WideVectorsGiveTheBaselineBits) {
    if (!kernels::HasAvx2()) GTEST_SKIP() << "this processor has no AVX2";
    const std::pair<const char*, KernelRun> runs[] = {
        {"copy", [](auto& set, auto a, auto, auto y, auto n) { set.copy(a, y, n); }},
        {"exchange plus", [](auto& set, auto a, auto b, auto y, auto n) { set.exchangePlus(a, b, y, n, 0.73f); }},
        {"times", [](auto& set, auto a, auto, auto y, auto n) { set.times(a, y, n, -1.37f); }},
        {"plus", [](auto& set, auto a, auto, auto y, auto n) { set.plus(a, y, n, -1.37f); }},
        {"tap sum of 7", [](auto& set, auto, auto, auto y, auto n) { TapSum(set, 7, y, n); }},
        {"tap sum of 8", [](auto& set, auto, auto, auto y, auto n) { TapSum(set, 8, y, n); }},
        {"diffuse",
         [](auto& set, auto a, auto b, auto y, auto n) {
             float* const lines[] = {a, b, y + (n + 1), y + 2 * (n + 1), y + 3 * (n + 1)};
             set.diffuse(lines, y + 4 * (n + 1), y, n, Coefficients());
         }},
        {"tank tail",
         [](auto& set, auto a, auto b, auto y, auto n) {
             float* const lines[] = {a, b, y + (n + 1), y + 2 * (n + 1)};
             set.tankTail(lines, y + 3 * (n + 1), y, n, Coefficients());
         }},
        {"input",
         [](auto& set, auto a, auto b, auto y, auto n) {
             set.inputStereo(a, 0.83f, y, y + (n + 1), y + 2 * (n + 1), n / 2, y + 3 * (n + 1));
             set.inputMono(b, 1.19f, y + 4 * (n + 1), n, y + 5 * (n + 1));
         }},
        {"mix",
         [](auto& set, auto a, auto b, auto y, auto n) {
             const kernels::MixSources s = {{a, b}, {y + (n + 1), y + 2 * (n + 1)}, {y + 3 * (n + 1), y + 4 * (n + 1)}};
             const EngineCoefficients c = Coefficients();
             set.mixStereo(s, c, 0.6f, y + 5 * (n + 1), n, y + 7 * (n + 1));
             set.mixMono(s, c, y, n, y + n);
         }},
    };
    for (const auto& [name, run] : runs)
        for (uint32_t n : {1u, 3u, 7u, 8u, 13u, 16u, 31u, 64u, 255u, 256u}) {
            // Everything a run leaves in its arrays, for both sets.
            std::vector<float> left[2];
            for (int wide = 0; wide < 2; ++wide) {
                std::vector<float> a = Input(n, 1), b = Input(n, 2), y = Input(kStretches * (n + 1), 3);
                run(wide ? kernels::kAvx2 : kernels::kBaseline, a.data(), b.data(), y.data(), n);
                left[wide] = a;
                left[wide].insert(left[wide].end(), b.begin(), b.end());
                left[wide].insert(left[wide].end(), y.begin(), y.end());
            }
            EXPECT_EQ(std::memcmp(left[0].data(), left[1].data(), left[0].size() * sizeof(float)), 0)
                << name << " over " << n << " frames";
        }
}
