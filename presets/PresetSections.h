#pragma once
#include <cstdint>
#include <string>

#include "Preset.h"
#include "ProfileFile.h"

// The preset file's own layout over any profile file: a "Plug-in" header and presets in
// consecutive sections [Preset1], [Preset2], ... each with Version, Name, Bank and Data.
struct PresetSection {
    static constexpr int kDataField = 4096;

    int32_t version;
    char name[Preset::kTextField];
    char bank[Preset::kTextField];
    char data[kDataField];
};

// Section `number` (from 1); false when the section or one of its four keys is missing.
bool ReadPresetSection(ProfileFile& file, int number, PresetSection& out);
// The writes return false when one of them failed.
bool WritePresetSection(ProfileFile& file, int number, const Preset& preset);

// The header's class key; empty when the header or the value is missing.
std::string ReadPresetClassKey(ProfileFile& file);
bool WritePresetHeader(ProfileFile& file, const char* pluginName, const char* classKeyText,
                       bool withDefault);

// Removes [Preset1], [Preset2], ... (each with its duplicates) up to the first without a
// Version key.
bool DeletePresetSections(ProfileFile& file);

// `text` as a value that the profile functions give back unchanged: in quotes when it has
// blanks at either end or is enclosed in a pair of quotes itself.
std::string ProfileValue(const char* text);
