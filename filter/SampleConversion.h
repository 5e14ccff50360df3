#pragma once
#include <cstddef>
#include <cstdint>

// 16-bit integer samples to and from the engine's floats, full scale 1.0 = 32768.
void Int16ToFloat(const int16_t* in, float* out, size_t count);

// Rounds to the nearest integer and saturates to -32768..32767.
void FloatToInt16(const float* in, int16_t* out, size_t count);
