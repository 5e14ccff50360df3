#pragma once
#include <vector>

// The reverberation time of an impulse response from its energy decay curve (Schroeder's
// backward integration): a straight line fitted to the curve between -5 and -25 dB,
// extrapolated to a fall of 60 dB. `energy` holds the squared output of each frame.
// Returns seconds, or a negative value when the curve never falls 25 dB.
double DecayTimeT20(const std::vector<double>& energy, double sampleRate);
