#pragma once
#include <cstdint>

// The one record that describes a setting of the effect: 19 signed 32-bit fields in
// record order (also the order of the persisted form).
struct ReverbParams {
    int32_t InputGain;     // 0.1 dB, -361 (off) ... 60
    int32_t LowCut;        // Hz, 19 (off) ... 3000
    int32_t HighCut;       // 100 Hz, 5 ... 221 (off)
    int32_t PreDelay;      // ms, 0 ... 250
    int32_t RoomSize;      // percent, 1 ... 100
    int32_t Diffusion;     // percent, 0 ... 100
    int32_t BassMultiply;  // 0.1 x, 2 ... 30
    int32_t Crossover;     // Hz, 25 ... 2000
    int32_t DecayTime;     // 0.1 s, 1 ... 200
    int32_t Damping;       // 100 Hz, 5 ... 221 (off)
    int32_t DryLevel;      // 0.1 dB, -361 (off) ... 60
    int32_t ReverbLevel;   // 0.1 dB, -361 (off) ... 60
    int32_t InputMute;     // switch
    int32_t DryMute;       // switch
    int32_t ReverbMute;    // switch
    int32_t EarlyLevel;    // 0.1 dB, -361 (off) ... 60
    int32_t EarlyMute;     // switch
    int32_t Width;         // percent, 0 ... 200
    int32_t Tail;          // switch
};
static_assert(sizeof(ReverbParams) == 19 * 4, "record must be 19 packed 32-bit fields");

// Field indices in record order.
enum ParamField : int {
    kInputGain, kLowCut, kHighCut, kPreDelay, kRoomSize, kDiffusion, kBassMultiply,
    kCrossover, kDecayTime, kDamping, kDryLevel, kReverbLevel, kInputMute, kDryMute,
    kReverbMute, kEarlyLevel, kEarlyMute, kWidth, kTail,
    kParamCount
};

struct ParamInfo {
    const char* name;  // the record name, e.g. "DecayTime"
    int32_t minimum;
    int32_t maximum;
    int32_t defaultValue;
};

// Range and default of field `field` (0 <= field < kParamCount).
const ParamInfo& GetParamInfo(int field);

// Field index for a record name (case-sensitive), or -1.
int FindParamByName(const char* name);

int32_t ClampParam(int field, int32_t value);
void ClampParams(ReverbParams& params);

int32_t GetParam(const ReverbParams& params, int field);
void SetParam(ReverbParams& params, int field, int32_t value);  // stores unclamped

// The factory setting: 0,75,40,0,50,100,10,500,15,40,0,-120,0,0,0,-35,0,100,0.
ReverbParams DefaultParams();

bool operator==(const ReverbParams& a, const ReverbParams& b);
inline bool operator!=(const ReverbParams& a, const ReverbParams& b) { return !(a == b); }
