#include "SampleConversion.h"

#include <cmath>

void Int16ToFloat(const int16_t* in, float* out, size_t count) {
    for (size_t i = 0; i < count; ++i) out[i] = static_cast<float>(in[i]) * (1.0f / 32768.0f);
}

void FloatToInt16(const float* in, int16_t* out, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        float scaled = in[i] * 32768.0f;
        // NaN fails both comparisons and lands on 0 rather than on an undefined conversion.
        if (scaled >= 32767.0f) out[i] = 32767;
        else if (scaled <= -32768.0f) out[i] = -32768;
        else if (scaled == scaled) out[i] = static_cast<int16_t>(std::lround(scaled));
        else out[i] = 0;
    }
}
