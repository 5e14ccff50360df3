#include "SampleConversion.h"

#include <emmintrin.h>

#include <cmath>

namespace {

constexpr PcmLayout kPcm16 = {2, 16};

}  // namespace

namespace {

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

// The 16-bit loops four samples at a time (SSE2, the baseline of both targets), with the
// same results as the loops above. A 16-bit value at the top of a 32-bit word converts to
// float exactly. Rounding halves away from zero adds the largest float below one half
// before truncating: below a half the sum stays under the next integer (the float steps
// there are too fine to round up to it), at a half and above it reaches it.
void Pcm16ToFloat(const uint8_t* in, float* out, size_t count) {
    const __m128 scale = _mm_set1_ps(1.0f / 2147483648.0f);
    const __m128i zero = _mm_setzero_si128();
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i));
        const __m128i low = _mm_unpacklo_epi16(zero, values), high = _mm_unpackhi_epi16(zero, values);
        _mm_storeu_ps(out + i, _mm_mul_ps(_mm_cvtepi32_ps(low), scale));
        _mm_storeu_ps(out + i + 4, _mm_mul_ps(_mm_cvtepi32_ps(high), scale));
    }
    PcmToFloatOf<2>(in + 2 * i, out + i, count - i);
}

__m128i RoundToInt32(const __m128 in) {
    const __m128 scaled = _mm_mul_ps(in, _mm_set1_ps(32768.0f));
    // NaN becomes 0; the clamp keeps the conversion inside the 32-bit range.
    const __m128 number = _mm_and_ps(scaled, _mm_cmpord_ps(scaled, scaled));
    const __m128 clamped = _mm_min_ps(_mm_max_ps(number, _mm_set1_ps(-32768.0f)), _mm_set1_ps(32767.0f));
    const __m128 belowHalf = _mm_or_ps(_mm_and_ps(clamped, _mm_set1_ps(-0.0f)), _mm_set1_ps(0.49999997f));
    return _mm_cvttps_epi32(_mm_add_ps(clamped, belowHalf));
}

void FloatToPcm16(const float* in, uint8_t* out, size_t count) {
    size_t i = 0;
    for (; i + 8 <= count; i += 8) {
        const __m128i low = RoundToInt32(_mm_loadu_ps(in + i)), high = RoundToInt32(_mm_loadu_ps(in + i + 4));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_packs_epi32(low, high));
    }
    FloatToPcmOf<2>(in + i, 16, out + 2 * i, count - i);
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
    case 2: return layout.validBits == 16 ? FloatToPcm16(in, out, count) : FloatToPcmOf<2>(in, layout.validBits, out, count);
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
