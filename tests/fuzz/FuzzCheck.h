#pragma once
// Shared by the fuzz targets: a property that every input must keep. A broken property
// aborts, so that libFuzzer stops and keeps the input that broke it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ReverbParams.h"

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

// Four bytes as a little-endian integer.
inline int32_t FuzzLe32(const uint8_t* p) {
    return static_cast<int32_t>(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24);
}

// Every field of `params` lies within its range.
inline bool WithinRanges(const ReverbParams& params) {
    ReverbParams clamped = params;
    ClampParams(clamped);
    return clamped == params;
}
