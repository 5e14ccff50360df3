#pragma once
#include <cstddef>
#include <cstdint>

// How integer PCM samples sit in memory: little-endian containers of 2, 3 or 4 bytes whose
// top `validBits` carry the value (24 valid bits in a 4-byte container leave the low byte 0).
struct PcmLayout {
    uint16_t containerBytes;
    uint16_t validBits;
};

// Integer samples to the engine's floats, full scale 1.0 = 2^(container bits - 1).
void PcmToFloat(const uint8_t* in, PcmLayout layout, float* out, size_t count);

// Rounds to the nearest step of the valid bits and saturates to their range; NaN gives 0.
void FloatToPcm(const float* in, PcmLayout layout, uint8_t* out, size_t count);

// The 16-bit case, full scale 1.0 = 32768.
void Int16ToFloat(const int16_t* in, float* out, size_t count);
void FloatToInt16(const float* in, int16_t* out, size_t count);
