#pragma once
#include <cstdint>

// What the Preset Manager's tree has selected, as the store needs to know it: nothing,
// the root (all presets), a bank, or one preset. A bank is named by the id of one of its
// presets (the bank item's first child), whose bank name then stands for the bank.
struct PresetSelection {
    enum Kind : int { kNone, kAll, kBank, kPreset };
    Kind kind = kNone;
    int32_t presetId = -1;

    static PresetSelection None() { return {}; }
    static PresetSelection All() { return {kAll, -1}; }
    static PresetSelection Bank(int32_t idOfAPresetInIt) { return {kBank, idOfAPresetInIt}; }
    static PresetSelection OnePreset(int32_t id) { return {kPreset, id}; }
};
