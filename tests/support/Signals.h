#pragma once
// Test signals and measures on interleaved float samples.
#include <cstddef>
#include <cstdint>
#include <vector>

// An impulse of `amplitude` at frame 0 followed by silence, `channels` wide.
std::vector<float> Impulse(uint32_t frames, int channels, float amplitude = 1.0f);
// Deterministic noise in [-0.5, 0.5).
std::vector<float> Noise(uint32_t samples, uint32_t seed);
// Sum of squares.
double Energy(const std::vector<float>& samples);
