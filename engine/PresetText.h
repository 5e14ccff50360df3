#pragma once
#include <cstdint>
#include <string>

#include "ReverbParams.h"

// The text form of a setting used by presets: 18 comma-separated decimal integers in
// text order (not record order); Tail is not carried.
constexpr int kPresetTextValues = 18;

// Record field of each text position (0-based).
extern const int kPresetTextOrder[kPresetTextValues];

// Writes the 18 values of `params` in text order ("%d,%d,...").
std::string WritePresetText(const ReverbParams& params);

// Parses up to 18 integers in text order into `values`; stops at the first position that
// is not a number. Returns how many were read. Numbers after the 18th are ignored.
int ParsePresetText(const char* text, int32_t values[kPresetTextValues]);

// Version-1 texts carry Width in units of 50 percent.
int32_t PresetTextValueForVersion(int textPosition, int32_t value, int presetVersion);
