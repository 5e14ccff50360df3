// The kernel sets for wider vectors against the baseline set: the same bits for every
// kernel over lengths that end inside a vector and lengths of whole vectors.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "KernelSet.h"
#include "Signals.h"

namespace {

using kernels::KernelSet;

// Runs one kernel of `set` over arrays made from the same noise and returns every array it
// wrote, one after another.
using KernelRun = std::function<std::vector<float>(const KernelSet& set, uint32_t n)>;

std::vector<float> Joined(std::initializer_list<const std::vector<float>*> parts) {
    std::vector<float> all;
    for (const std::vector<float>* p : parts) all.insert(all.end(), p->begin(), p->end());
    return all;
}

// Noise with values of every size, the not-a-number the peaks must pass over, and a
// negative zero.
std::vector<float> Input(uint32_t n, uint32_t seed) {
    std::vector<float> v = Noise(n, seed);
    for (uint32_t i = 0; i < n; ++i) v[i] *= float(1 << (i % 9));
    if (n > 5) v[5] = std::numeric_limits<float>::quiet_NaN();
    if (n > 2) v[2] = -0.0f;
    return v;
}

// A delay line's stretch, exchanged in place, and the kernel's output.
KernelRun Exchange(void (*const KernelSet::*kernel)(float*, const float*, float*, uint32_t, float)) {
    return [kernel](const KernelSet& set, uint32_t n) {
        std::vector<float> slots = Input(n, 1), x = Input(n, 2), y(n);
        (set.*kernel)(slots.data(), x.data(), y.data(), n, 0.73f);
        return Joined({&slots, &y});
    };
}

// Sections in a row on `lines` lines' stretches, changed in place, and their output.
KernelRun Sections(void (*const KernelSet::*kernel)(float* const*, const float*, float*, uint32_t,
                                                    const EngineCoefficients&),
                   int lines) {
    return [kernel, lines](const KernelSet& set, uint32_t n) {
        std::vector<std::vector<float>> slots;
        std::vector<float*> at;
        for (int l = 0; l < lines; ++l) slots.push_back(Input(n, 30 + l));
        for (std::vector<float>& line : slots) at.push_back(line.data());
        EngineCoefficients c;
        c.diffuserCoefA = c.tankAllpassCoef1 = 0.61f;
        c.diffuserCoefB = c.tankAllpassCoef2 = -0.43f;
        c.decayGain = 0.87f;
        std::vector<float> x = Input(n, 4), y(n);
        (set.*kernel)(at.data(), x.data(), y.data(), n, c);
        slots.push_back(y);
        std::vector<float> all;
        for (const std::vector<float>& v : slots) all.insert(all.end(), v.begin(), v.end());
        return all;
    };
}

KernelRun Map(void (*const KernelSet::*kernel)(const float*, float*, uint32_t, float)) {
    return [kernel](const KernelSet& set, uint32_t n) {
        std::vector<float> x = Input(n, 3), y(n);
        (set.*kernel)(x.data(), y.data(), n, -1.37f);
        return y;
    };
}

// The sum of `count` taps, each from its own stretch.
KernelRun TapSum(int count) {
    return [count](const KernelSet& set, uint32_t n) {
        std::vector<std::vector<float>> taps;
        std::vector<const float*> at;
        std::vector<float> gains;
        for (int t = 0; t < count; ++t) {
            taps.push_back(Input(n, 10 + t));
            gains.push_back(t % 3 == 1 ? -0.31f * float(t) : 0.17f * float(t + 1));
        }
        for (const std::vector<float>& tap : taps) at.push_back(tap.data());
        std::vector<float> acc(n);
        set.tapSum(at.data(), gains.data(), count, 0.57f, acc.data(), n);
        return acc;
    };
}

}  // namespace

TEST(KernelSets, WideVectorsGiveTheBaselineBits) {
    if (!kernels::HasAvx2()) GTEST_SKIP() << "this processor has no AVX2";
    const std::vector<std::pair<std::string, KernelRun>> runs = {
        {"diffuse", Sections(&KernelSet::diffuse, 5)},
        {"tank tail", Sections(&KernelSet::tankTail, 4)},
        {"copy",
         [](const KernelSet& set, uint32_t n) {
             std::vector<float> x = Input(n, 6), y(n);
             set.copy(x.data(), y.data(), n);
             return y;
         }},
        {"exchange plus", Exchange(&KernelSet::exchangePlus)},
        {"times", Map(&KernelSet::times)},
        {"plus", Map(&KernelSet::plus)},
        {"tap sum of 7", TapSum(7)},
        {"tap sum of 8", TapSum(8)},
        {"tap sum of 3", TapSum(3)},
        {"input",
         [](const KernelSet& set, uint32_t n) {
             const std::vector<float> in = Input(2 * n, 7);
             std::vector<float> left(n), right(n), mid(n), peaks = {0.0f, 1e9f, 0.0f};
             set.inputStereo(in.data(), 0.83f, left.data(), right.data(), mid.data(), n, peaks.data());
             set.inputMono(in.data(), 1.19f, mid.data(), n, &peaks[2]);
             return Joined({&left, &right, &mid, &peaks});
         }},
        {"mix",
         [](const KernelSet& set, uint32_t n) {
             std::vector<std::vector<float>> v;
             for (uint32_t seed = 20; seed < 26; ++seed) v.push_back(Input(n, seed));
             const kernels::MixSources s = {{v[0].data(), v[1].data()}, {v[2].data(), v[3].data()},
                                            {v[4].data(), v[5].data()}};
             EngineCoefficients c;
             c.reverbGain = 0.71f;
             c.dryGain = -0.37f;
             std::vector<float> stereo(2 * n), mono(n), peaks = {0.0f, 1e9f, 0.0f};
             set.mixStereo(s, c, 0.6f, stereo.data(), n, peaks.data());
             set.mixMono(s, c, mono.data(), n, &peaks[2]);
             return Joined({&stereo, &mono, &peaks});
         }},
    };
    for (const auto& [name, run] : runs)
        for (uint32_t n : {1u, 3u, 7u, 8u, 13u, 16u, 31u, 64u, 255u, 256u}) {
            const std::vector<float> wide = run(kernels::kAvx2, n), baseline = run(kernels::kBaseline, n);
            ASSERT_EQ(wide.size(), baseline.size());
            EXPECT_EQ(std::memcmp(wide.data(), baseline.data(), wide.size() * sizeof(float)), 0)
                << name << " over " << n << " frames";
        }
}
