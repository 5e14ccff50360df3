#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "IniPresets.h"
#include "PresetText.h"

// Presets by name for the command line: a preset file's presets, found by name without
// regard to case, or as Bank/Name where a name repeats across banks.
class PresetLibrary {
public:
    explicit PresetLibrary(std::vector<IniPreset> presets = {}) : presets_(std::move(presets)) {}
    // Reads the preset file at `path`. 0, or -1 with a one-line `error`.
    int Load(const std::string& path, std::string& error);

    // The preset named `name` (or "Bank/Name") as values in text order, in today's units.
    // 0, or -1 with `error` naming the closest names or, for a repeated name, its banks.
    int Find(const std::string& name, int32_t values[kPresetTextValues], std::string& error) const;

    // Every bank with its presets and their decay setting, one line each.
    std::string Listing() const;

private:
    std::vector<IniPreset> presets_;
    std::string path_;
};

struct RenderOptions;

// The factory library beside the program, where the build copies it.
std::string FactoryPresetsPath();

// Puts the values of --preset (from --presets, else the factory library) into the
// options' preset values; nothing without --preset. 0, or -1 with a one-line `error`.
int ResolvePresetOption(RenderOptions& options, std::string& error);
