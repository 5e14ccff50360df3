// The 16-bit conversions over whole buffers, whose loops take several samples at a time,
// against the same conversions one sample at a time: every bit the same, at the rounding's
// halves and just below them, at saturation, for NaN, infinities and denormals.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "SampleConversion.h"

namespace {

constexpr PcmLayout kPcm16 = {2, 16};

// Each value converted alone and all of them in one buffer (lanes at every offset).
void ExpectBatchSameAsSingles(const std::vector<float>& values) {
    std::vector<uint8_t> batch(values.size() * 2);
    FloatToPcm(values.data(), kPcm16, batch.data(), values.size());
    for (size_t i = 0; i < values.size(); ++i) {
        uint8_t single[2];
        FloatToPcm(&values[i], kPcm16, single, 1);
        ASSERT_TRUE(single[0] == batch[2 * i] && single[1] == batch[2 * i + 1])
            << "value " << values[i] << " (" << values[i] * 32768.0 << " steps) at " << i;
    }
}

TEST(SampleConversion, Pcm16BuffersConvertAsSingleSamplesDo) {
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<float> edges = {0.0f, -0.0f, std::nanf(""), inf, -inf, 1.0f, -1.0f, 2.0f, -2.0f, 1e30f,
                                std::numeric_limits<float>::denorm_min(), -std::numeric_limits<float>::denorm_min()};
    // Halves and their neighbours one float step either side, across the whole range.
    for (double steps : {0.5, 1.5, 2.5, 100.5, 16383.5, 32766.5, 32767.0, 32767.5, 32768.0}) {
        for (double sign : {1.0, -1.0}) {
            const float v = float(sign * steps / 32768.0);
            edges.insert(edges.end(), {std::nextafter(v, 0.0f), v, std::nextafter(v, 2.0f * v)});
        }
    }
    ExpectBatchSameAsSingles(edges);
    std::vector<float> sweep;
    for (int k = -140000; k <= 140000; ++k) sweep.push_back(float(k) / 131072.0f);  // quarter steps
    ExpectBatchSameAsSingles(sweep);

    // The way in: every 16-bit value, in a buffer and alone.
    std::vector<int16_t> all;
    for (int v = -32768; v <= 32767; ++v) all.push_back(int16_t(v));
    std::vector<float> batch(all.size());
    PcmToFloat(reinterpret_cast<const uint8_t*>(all.data()), kPcm16, batch.data(), all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        float single = 0;
        PcmToFloat(reinterpret_cast<const uint8_t*>(&all[i]), kPcm16, &single, 1);
        ASSERT_EQ(single, batch[i]) << all[i];
    }
}

}  // namespace
