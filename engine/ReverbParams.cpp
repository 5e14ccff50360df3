#include "ReverbParams.h"

#include <cstring>

namespace {

const ParamInfo kParamTable[kParamCount] = {
    {"InputGain", -361, 60, 0},
    {"LowCut", 19, 3000, 75},
    {"HighCut", 5, 221, 40},
    {"PreDelay", 0, 250, 0},
    {"RoomSize", 1, 100, 50},
    {"Diffusion", 0, 100, 100},
    {"BassMultiply", 2, 30, 10},
    {"Crossover", 25, 2000, 500},
    {"DecayTime", 1, 200, 15},
    {"Damping", 5, 221, 40},
    {"DryLevel", -361, 60, 0},
    {"ReverbLevel", -361, 60, -120},
    {"InputMute", 0, 1, 0},
    {"DryMute", 0, 1, 0},
    {"ReverbMute", 0, 1, 0},
    {"EarlyLevel", -361, 60, -35},
    {"EarlyMute", 0, 1, 0},
    {"Width", 0, 200, 100},
    {"Tail", 0, 1, 0},
};

int32_t ReverbParams::* const kFieldMembers[kParamCount] = {
    &ReverbParams::InputGain, &ReverbParams::LowCut, &ReverbParams::HighCut,
    &ReverbParams::PreDelay, &ReverbParams::RoomSize, &ReverbParams::Diffusion,
    &ReverbParams::BassMultiply, &ReverbParams::Crossover, &ReverbParams::DecayTime,
    &ReverbParams::Damping, &ReverbParams::DryLevel, &ReverbParams::ReverbLevel,
    &ReverbParams::InputMute, &ReverbParams::DryMute, &ReverbParams::ReverbMute,
    &ReverbParams::EarlyLevel, &ReverbParams::EarlyMute, &ReverbParams::Width,
    &ReverbParams::Tail,
};

}  // namespace

const ParamInfo& GetParamInfo(int field) { return kParamTable[field]; }

int FindParamByName(const char* name) {
    for (int i = 0; i < kParamCount; ++i)
        if (std::strcmp(kParamTable[i].name, name) == 0) return i;
    return -1;
}

int32_t ClampParam(int field, int32_t value) {
    const ParamInfo& info = kParamTable[field];
    if (value < info.minimum) return info.minimum;
    if (value > info.maximum) return info.maximum;
    return value;
}

void ClampParams(ReverbParams& params) {
    for (int i = 0; i < kParamCount; ++i)
        params.*kFieldMembers[i] = ClampParam(i, params.*kFieldMembers[i]);
}

int32_t GetParam(const ReverbParams& params, int field) { return params.*kFieldMembers[field]; }

void SetParam(ReverbParams& params, int field, int32_t value) { params.*kFieldMembers[field] = value; }

ReverbParams DefaultParams() {
    ReverbParams p;
    for (int i = 0; i < kParamCount; ++i) p.*kFieldMembers[i] = kParamTable[i].defaultValue;
    return p;
}

bool operator==(const ReverbParams& a, const ReverbParams& b) {
    for (int i = 0; i < kParamCount; ++i)
        if (a.*kFieldMembers[i] != b.*kFieldMembers[i]) return false;
    return true;
}
