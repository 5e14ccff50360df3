#include "Pcm16Lanes.h"

namespace pcm16 {

size_t ToFloatAvx2(const uint8_t* in, float* out, size_t count) { return ToFloat<8>(in, out, count); }
size_t FromFloatAvx2(const float* in, uint8_t* out, size_t count) { return FromFloat<8>(in, out, count); }

}  // namespace pcm16
