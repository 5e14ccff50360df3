#pragma once
#include "ReverbParams.h"

// The built-in presets offered to hosts: a name in the ANSI code page and a record.
struct FactoryPreset {
    char name[64];
    ReverbParams params;
};

constexpr int kFactoryPresetCount = 2;

// The entry at `index`, or null outside 0 .. kFactoryPresetCount - 1.
const FactoryPreset* GetFactoryPreset(int index);
