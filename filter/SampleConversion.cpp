#include "SampleConversion.h"

#include <cmath>

#include "Pcm16Lanes.h"
#include "ProcessorFeatures.h"

namespace {

constexpr PcmLayout kPcm16 = {2, 16};

// The loops for one container size, so that the byte loops unroll and the common sizes run
// without a call per sample.
template <unsigned bytes>
void PcmToFloatOf(const uint8_t* in, float* out, size_t count) {
    constexpr unsigned shift = 32 - 8 * bytes;
    for (size_t i = 0; i < count; ++i, in += bytes) {
        // The container at the top of a 32-bit word: its sign becomes the word's sign.
        uint32_t word = 0;
        for (unsigned b = 0; b < bytes; ++b) word |= uint32_t(in[b]) << (8 * b);
        out[i] = static_cast<float>(static_cast<int32_t>(word << shift)) * (1.0f / 2147483648.0f);
    }
}

template <unsigned bytes>
void FloatToPcmOf(const float* in, unsigned validBits, uint8_t* out, size_t count) {
    const unsigned shift = 8 * bytes - validBits;
    const double steps = std::ldexp(1.0, int(validBits) - 1);
    const int64_t highest = int64_t(steps) - 1, lowest = -int64_t(steps);
    for (size_t i = 0; i < count; ++i, out += bytes) {
        const double scaled = double(in[i]) * steps;
        int64_t value;
        // NaN fails both comparisons and lands on 0 rather than on an undefined conversion.
        // A float times a power of two has at most 24 significant bits, so adding one half
        // is exact below 2^31 (or cannot reach the next integer): the truncation rounds
        // halves away from zero, as llround does, without a library call per sample.
        if (scaled >= double(highest)) value = highest;
        else if (scaled <= double(lowest)) value = lowest;
        else if (scaled == scaled) value = static_cast<int64_t>(scaled < 0.0 ? scaled - 0.5 : scaled + 0.5);
        else value = 0;
        const uint32_t word = static_cast<uint32_t>(value) << shift;
        for (unsigned b = 0; b < bytes; ++b) out[b] = static_cast<uint8_t>(word >> (8 * b));
    }
}

const bool kAvx2 = kernels::HasAvx2();

void Pcm16ToFloat(const uint8_t* in, float* out, size_t count) {
    const size_t done = kAvx2 ? pcm16::ToFloatAvx2(in, out, count) : pcm16::ToFloat<4>(in, out, count);
    PcmToFloatOf<2>(in + 2 * done, out + done, count - done);
}

void FloatToPcm16(const float* in, uint8_t* out, size_t count) {
    const size_t done = kAvx2 ? pcm16::FromFloatAvx2(in, out, count) : pcm16::FromFloat<4>(in, out, count);
    FloatToPcmOf<2>(in + done, 16, out + 2 * done, count - done);
}

}  // namespace

void PcmToFloat(const uint8_t* in, PcmLayout layout, float* out, size_t count) {
    switch (layout.containerBytes) {
    case 2: return Pcm16ToFloat(in, out, count);
    case 3: return PcmToFloatOf<3>(in, out, count);
    default: return PcmToFloatOf<4>(in, out, count);
    }
}

void FloatToPcm(const float* in, PcmLayout layout, uint8_t* out, size_t count) {
    switch (layout.containerBytes) {
    case 2:
        if (layout.validBits == 16) return FloatToPcm16(in, out, count);
        return FloatToPcmOf<2>(in, layout.validBits, out, count);
    case 3: return FloatToPcmOf<3>(in, layout.validBits, out, count);
    default: return FloatToPcmOf<4>(in, layout.validBits, out, count);
    }
}

void Int16ToFloat(const int16_t* in, float* out, size_t count) {
    PcmToFloat(reinterpret_cast<const uint8_t*>(in), kPcm16, out, count);
}

void FloatToInt16(const float* in, int16_t* out, size_t count) {
    FloatToPcm(in, kPcm16, reinterpret_cast<uint8_t*>(out), count);
}
