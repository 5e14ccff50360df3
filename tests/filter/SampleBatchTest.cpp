// The 16-bit conversions' vector loops, in each instruction set the program may choose,
// against the same conversions one sample at a time: every bit the same, at the rounding's
// halves and just below them, at saturation, for NaN, infinities and denormals, and for
// every 16-bit value on the way in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "Pcm16Lanes.h"
#include "ProcessorFeatures.h"
#include "SampleConversion.h"

namespace {

constexpr PcmLayout kPcm16 = {2, 16};

struct LaneSet {
    const char* name;
    size_t (*toFloat)(const uint8_t*, float*, size_t);
    size_t (*fromFloat)(const float*, uint8_t*, size_t);
};

std::vector<LaneSet> LaneSets() {
    std::vector<LaneSet> sets = {{"4 lanes", pcm16::ToFloat<4>, pcm16::FromFloat<4>}};
    if (kernels::HasAvx2()) sets.push_back({"AVX2", pcm16::ToFloatAvx2, pcm16::FromFloatAvx2});
    return sets;
}

std::vector<float> Edges() {
    const float inf = std::numeric_limits<float>::infinity(), tiny = std::numeric_limits<float>::denorm_min();
    std::vector<float> edges = {0.0f, -0.0f, std::nanf(""), inf, -inf, 1.0f, -1.0f, 2.0f, -2.0f, 1e30f, tiny, -tiny};
    // Halves and their neighbours one float step either side, across the whole range.
    for (double steps : {0.5, 1.5, 2.5, 100.5, 16383.5, 32766.5, 32767.0, 32767.5, 32768.0, 32768.5}) {
        for (double sign : {1.0, -1.0}) {
            const float v = float(sign * steps / 32768.0);
            edges.insert(edges.end(), {std::nextafter(v, 0.0f), v, std::nextafter(v, 2.0f * v)});
        }
    }
    for (int k = -140000; k <= 140000; ++k) edges.push_back(float(k) / 131072.0f);  // quarter steps
    return edges;
}

TEST(SampleConversion, Pcm16VectorLoopsGiveTheBitsOfSingleSamples) {
    const std::vector<float> floats = Edges();
    std::vector<int16_t> all;
    for (int v = -32768; v <= 32767; ++v) all.push_back(int16_t(v));
    const auto* allBytes = reinterpret_cast<const uint8_t*>(all.data());
    for (const LaneSet& set : LaneSets()) {
        SCOPED_TRACE(set.name);
        std::vector<uint8_t> bytes(floats.size() * 2);
        const size_t outDone = set.fromFloat(floats.data(), bytes.data(), floats.size());
        EXPECT_GT(outDone + 8, floats.size());
        for (size_t i = 0; i < outDone; ++i) {
            uint8_t single[2];
            FloatToPcm(&floats[i], kPcm16, single, 1);
            ASSERT_TRUE(single[0] == bytes[2 * i] && single[1] == bytes[2 * i + 1])
                << "value " << floats[i] << " (" << floats[i] * 32768.0 << " steps) at " << i;
        }
        std::vector<float> back(all.size());
        const size_t inDone = set.toFloat(allBytes, back.data(), all.size());
        EXPECT_EQ(all.size(), inDone);
        for (size_t i = 0; i < inDone; ++i) {
            float single = 0;
            PcmToFloat(allBytes + 2 * i, kPcm16, &single, 1);
            ASSERT_EQ(single, back[i]) << all[i];
        }
    }
}

}  // namespace
