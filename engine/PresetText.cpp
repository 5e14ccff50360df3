#include "PresetText.h"

#include <cstdio>
#include <cstdlib>

const int kPresetTextOrder[kPresetTextValues] = {
    kInputGain, kLowCut,   kHighCut,  kPreDelay,   kRoomSize,    kDiffusion,
    kBassMultiply, kCrossover, kDecayTime, kDamping, kDryLevel,  kEarlyLevel,
    kReverbLevel, kWidth,  kInputMute, kDryMute,   kEarlyMute,   kReverbMute,
};

namespace {
constexpr int kWidthTextPosition = 13;
}

std::string WritePresetText(const ReverbParams& params) {
    std::string text;
    char number[16];
    for (int i = 0; i < kPresetTextValues; ++i) {
        std::snprintf(number, sizeof number, i == 0 ? "%d" : ",%d",
                      static_cast<int>(GetParam(params, kPresetTextOrder[i])));
        text += number;
    }
    return text;
}

// Same acceptance as sscanf("%d,%d,...") (which stops at the first mismatch), without its
// undefined behaviour on out-of-range numbers: those saturate, and the puts clamp them.
int ParsePresetText(const char* text, int32_t values[kPresetTextValues]) {
    if (text == nullptr) return 0;
    const char* p = text;
    int count = 0;
    while (count < kPresetTextValues) {
        if (count > 0) {
            if (*p != ',') break;
            ++p;
        }
        char* end = nullptr;
        long long v = std::strtoll(p, &end, 10);
        if (end == p) break;
        if (v > INT32_MAX) v = INT32_MAX;
        if (v < INT32_MIN) v = INT32_MIN;
        values[count++] = static_cast<int32_t>(v);
        p = end;
    }
    return count;
}

int32_t PresetTextValueForVersion(int textPosition, int32_t value, int presetVersion) {
    if (presetVersion == 1 && textPosition == kWidthTextPosition) {
        long long widened = static_cast<long long>(value) * 50;
        if (widened > INT32_MAX) return INT32_MAX;
        if (widened < INT32_MIN) return INT32_MIN;
        return static_cast<int32_t>(widened);
    }
    return value;
}
