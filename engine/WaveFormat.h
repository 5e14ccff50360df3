#pragma once
#include <cstdint>

// The 18-byte wave format record the filter stores for each pin and the engine reads.
#pragma pack(push, 2)
struct WaveFormat {
    uint16_t formatTag;      // 1 integer PCM, 3 IEEE float
    uint16_t channels;
    uint32_t sampleRate;
    uint32_t avgBytesPerSec;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
    uint16_t extraSize;      // always 0 in the records we keep
};
#pragma pack(pop)
static_assert(sizeof(WaveFormat) == 18, "wave format record must be 18 bytes");

constexpr uint16_t kWaveFormatPcm = 1;
constexpr uint16_t kWaveFormatIeeeFloat = 3;
