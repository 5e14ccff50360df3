#include "FactoryPresets.h"

const FactoryPreset* GetFactoryPreset(int index) {
    static const FactoryPreset presets[kFactoryPresetCount] = {
        {"(Default)", DefaultParams()},
        {"[1] Default Reverb", DefaultParams()},
    };
    if (index < 0 || index >= kFactoryPresetCount) return nullptr;
    return &presets[index];
}
