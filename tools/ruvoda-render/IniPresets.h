#pragma once
#include <string>
#include <vector>

// The presets of a preset file, read without the platform's profile functions: the
// consecutive [Preset1], [Preset2], ... sections, stopping at the first missing section or
// key as the plug-in does. Section and key names match case-insensitively; the first
// occurrence of a key counts; spaces around keys and values are dropped.
struct IniPreset {
    std::string version;
    std::string name;
    std::string bank;
    std::string data;
};

std::vector<IniPreset> ReadIniPresets(const std::string& text);

// The whole file; false when it cannot be read.
bool ReadTextFile(const std::string& path, std::string& text);
