#include "Signals.h"

std::vector<float> Impulse(uint32_t frames, int channels, float amplitude) {
    std::vector<float> v(size_t(frames) * channels, 0.0f);
    for (int c = 0; c < channels; ++c) v[c] = amplitude;
    return v;
}

std::vector<float> Noise(uint32_t samples, uint32_t seed) {
    std::vector<float> v(samples);
    uint32_t state = seed;
    for (float& s : v) {
        state = state * 1664525u + 1013904223u;
        s = float(state >> 8) / float(1u << 24) - 0.5f;
    }
    return v;
}

double Energy(const std::vector<float>& samples) {
    double e = 0;
    for (float x : samples) e += double(x) * x;
    return e;
}
