#pragma once
#include <cstdint>

#include "DelayLine.h"
#include "NetworkTables.h"

// Everything the frame loop multiplies with, derived from a parameter snapshot.
struct EngineCoefficients {
    float inputGain = 0, dryGain = 0, reverbGain = 0, earlyGain = 0;
    float highPassCoef = 0;  // 0 = high-pass off
    float lowPassCoef = 1;   // 1 = low-pass off
    float diffuserCoefA = 0, diffuserCoefB = 0;
    float tankAllpassCoef1 = 0, tankAllpassCoef2 = 0;
    float decayGain = 0;
    float shelfGain = 0, shelfAllpassCoef = 0;
    float dampingCoef = 1;   // 1 = damping off
};

// Output tap offsets (into the lines named by network::kOutputLeft/Right) and the early
// reflections' delays and gains, all scaled for the sample rate and room size.
struct EngineTaps {
    int32_t left[network::kOutputTaps] = {};
    int32_t right[network::kOutputTaps] = {};
    int32_t earlyDelayLeft[network::kEarlyTapsLeft] = {};
    int32_t earlyDelayRight[network::kEarlyTapsRight] = {};
    float earlyGainLeft[network::kEarlyTapsLeft] = {};
    float earlyGainRight[network::kEarlyTapsRight] = {};
};

// The recursive filter states outside the delay lines; index 0 is tank half A, 1 half B.
struct FilterState {
    float lowPass = 0;
    float highPassAllpass = 0, highPassPrev = 0;
    float shelfAllpass[2] = {}, shelfPrev[2] = {};
    float damping[2] = {};
};

// The engine's whole DSP state, readable as one record.
struct EngineState {
    uint32_t sampleRate = 0;
    int inputChannels = 0;
    int outputChannels = 0;
    bool prepared = false;          // all memory held
    bool coefficientsValid = false;
    int32_t cachedRoomSize = 0;     // the room size the line contents belong to
    uint32_t tailFrames = 0;        // frames of tail still to play out

    DelayLine lines[network::kLineCount];
    DelayLine preDelay;
    EarlyTapLine early;

    EngineCoefficients coef;
    EngineTaps taps;
    FilterState filters;
};
