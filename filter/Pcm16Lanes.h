#pragma once
// The 16-bit conversion loops over vectors of `lanes` samples, written once with the
// compiler's vector types and compiled for each instruction set the program may choose:
// 4 lanes on the baseline (SSE2), 8 with AVX2. Each sample takes the same operations in
// either, and the same results as the one-sample loops. Each loop leaves the last
// count % lanes samples to its caller and returns how many it converted.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include <immintrin.h>

namespace pcm16 {

template <int lanes>
struct Vectors {
    typedef float Float __attribute__((vector_size(4 * lanes)));
    typedef int32_t Int __attribute__((vector_size(4 * lanes)));
};

// The 16-bit values sign-extended to 32 bits.
template <int lanes>
typename Vectors<lanes>::Int Widen(const uint8_t* in) {
    if constexpr (lanes == 4) {
        const __m128i values = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(in));
        return (typename Vectors<lanes>::Int)_mm_srai_epi32(_mm_unpacklo_epi16(values, values), 16);
    } else {
        const __m128i values = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in));
        return (typename Vectors<lanes>::Int)_mm256_cvtepi16_epi32(values);
    }
}

// A 16-bit value converts to float exactly, and scaling it by 2^-15 is exact too: the same
// float as the one-sample loop's, which scales the value at the top of a 32-bit word.
template <int lanes>
size_t ToFloat(const uint8_t* in, float* out, size_t count) {
    size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        const typename Vectors<lanes>::Float floats =
            __builtin_convertvector(Widen<lanes>(in + 2 * i), typename Vectors<lanes>::Float) * (1.0f / 32768.0f);
        std::memcpy(out + i, &floats, sizeof floats);
    }
    return i;
}

// The few steps the vector types cannot say as one instruction.
template <int lanes>
typename Vectors<lanes>::Float Min(typename Vectors<lanes>::Float a, typename Vectors<lanes>::Float b) {
    if constexpr (lanes == 4) return _mm_min_ps(a, b);
    else return _mm256_min_ps(a, b);
}

// Truncates toward zero; NaN and values beyond the 32-bit range give INT32_MIN.
template <int lanes>
typename Vectors<lanes>::Int Truncate(typename Vectors<lanes>::Float v) {
    if constexpr (lanes == 4) return (typename Vectors<lanes>::Int)_mm_cvttps_epi32(v);
    else return (typename Vectors<lanes>::Int)_mm256_cvttps_epi32(v);
}

// Stores each value saturated to the 16-bit range.
template <int lanes>
void StoreSaturated16(typename Vectors<lanes>::Int v, uint8_t* out) {
    __m128i packed;
    if constexpr (lanes == 4) {
        packed = _mm_packs_epi32((__m128i)v, (__m128i)v);
    } else {
        packed = _mm_packs_epi32(_mm256_castsi256_si128((__m256i)v), _mm256_extracti128_si256((__m256i)v, 1));
    }
    std::memcpy(out, &packed, 2 * lanes);
}

// Rounding halves away from zero adds the largest float below one half (0.5 - 2^-25),
// signed like the sample, before truncating: below a half the sum stays under the next
// integer (the float steps there are too fine to round up to it), at a half and above it
// reaches it. NaN becomes 0; above the range the clamp, below it the saturating store
// gives the extreme.
template <int lanes>
size_t FromFloat(const float* in, uint8_t* out, size_t count) {
    using Float = typename Vectors<lanes>::Float;
    using Int = typename Vectors<lanes>::Int;
    const Float highest = Float{} + 32767.0f;
    const Int sign = Int{} + int32_t(0x80000000u), belowHalf = (Int)(Float{} + 0.49999997f);
    size_t i = 0;
    for (; i + lanes <= count; i += lanes) {
        Float scaled;
        std::memcpy(&scaled, in + i, sizeof scaled);
        scaled *= 32768.0f;
        scaled = Min<lanes>((Float)((Int)scaled & (scaled == scaled)), highest);
        const Float half = (Float)(((Int)scaled & sign) | belowHalf);
        StoreSaturated16<lanes>(Truncate<lanes>(scaled + half), out + 2 * i);
    }
    return i;
}

// The 8-lane loops built for AVX2 (Pcm16Avx2.cpp); call them only where it is present.
size_t ToFloatAvx2(const uint8_t* in, float* out, size_t count);
size_t FromFloatAvx2(const float* in, uint8_t* out, size_t count);

}  // namespace pcm16
