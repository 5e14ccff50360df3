#include "PresetLibrary.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "ProgramFolder.h"
#include "RenderOptions.h"

namespace {

constexpr int kDecayTextPosition = 8;
constexpr size_t kClosestShown = 3;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string FullName(const IniPreset& preset) { return preset.bank + "/" + preset.name; }

// Edits (insertions, deletions, substitutions) that turn one text into the other.
size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1] ? 1 : 0)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

int ValuesOf(const IniPreset& preset, int32_t values[kPresetTextValues], std::string& error) {
    if (ParsePresetText(preset.data.c_str(), values) != kPresetTextValues) {
        error = "preset \"" + FullName(preset) + "\" does not hold " +
                std::to_string(kPresetTextValues) + " numbers";
        return -1;
    }
    const int version = std::atoi(preset.version.c_str());
    for (int i = 0; i < kPresetTextValues; ++i)
        values[i] = PresetTextValueForVersion(i, values[i], version);
    return 0;
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "\"" : ", \"") + name + "\"";
    return text;
}

}  // namespace

int PresetLibrary::Load(const std::string& path, std::string& error) {
    std::string text;
    if (!ReadTextFile(path, text)) {
        error = "cannot read the preset file " + path;
        return -1;
    }
    presets_ = ReadIniPresets(text);
    path_ = path;
    if (presets_.empty()) {
        error = path + " holds no presets";
        return -1;
    }
    return 0;
}

int PresetLibrary::Find(const std::string& name, int32_t values[kPresetTextValues],
                        std::string& error) const {
    const std::string wanted = Lower(name);
    // A bank is only part of the name when the name says so, and no preset name holds it.
    const bool byBank = wanted.find('/') != std::string::npos &&
                        std::none_of(presets_.begin(), presets_.end(), [&](const IniPreset& p) {
                            return Lower(p.name) == wanted;
                        });
    auto key = [&](const IniPreset& p) { return Lower(byBank ? FullName(p) : p.name); };

    std::vector<const IniPreset*> matches;
    for (const IniPreset& preset : presets_)
        if (key(preset) == wanted) matches.push_back(&preset);
    if (matches.size() == 1) return ValuesOf(*matches[0], values, error);

    std::vector<std::string> names;
    if (matches.size() > 1) {
        for (const IniPreset* preset : matches) names.push_back(FullName(*preset));
        error = "\"" + name + "\" names " + std::to_string(matches.size()) + " presets: " +
                Quoted(names) + "; give Bank/Name";
        return -1;
    }
    // Names that hold what was typed come first, then the fewest edits away.
    std::vector<std::pair<size_t, const IniPreset*>> ranked;
    for (const IniPreset& preset : presets_) {
        const std::string candidate = key(preset);
        const bool holds = candidate.find(wanted) != std::string::npos;
        ranked.emplace_back((holds ? 0 : 1000) + EditDistance(wanted, candidate), &preset);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < ranked.size() && i < kClosestShown; ++i)
        names.push_back(FullName(*ranked[i].second));
    error = "no preset \"" + name + "\"" + (path_.empty() ? "" : " in " + path_) +
            "; the closest: " + Quoted(names);
    return -1;
}

std::string PresetLibrary::Listing() const {
    size_t width = 0;
    for (const IniPreset& preset : presets_) width = std::max(width, preset.name.size());
    std::vector<std::string> banks;
    for (const IniPreset& preset : presets_)
        if (std::find(banks.begin(), banks.end(), preset.bank) == banks.end())
            banks.push_back(preset.bank);

    std::string text;
    for (const std::string& bank : banks) {
        text += bank + "\n";
        for (const IniPreset& preset : presets_) {
            if (preset.bank != bank) continue;
            int32_t values[kPresetTextValues] = {};
            std::string unused;
            char decay[32] = "(no valid data)";
            if (ValuesOf(preset, values, unused) == 0)
                std::snprintf(decay, sizeof decay, "%5.1f s", values[kDecayTextPosition] / 10.0);
            text += "  " + preset.name + std::string(width - preset.name.size() + 1, ' ') + decay + "\n";
        }
    }
    return text;
}

std::string FactoryPresetsPath() { return ProgramFolder() + "qvRuvodaR3.ini"; }

int ResolvePresetOption(RenderOptions& options, std::string& error) {
    if (options.presetName.empty()) return 0;
    PresetLibrary library;
    if (library.Load(options.presetsPath.empty() ? FactoryPresetsPath() : options.presetsPath, error) != 0 ||
        library.Find(options.presetName, options.presetValues, error) != 0)
        return -1;
    options.hasPresetValues = true;
    return 0;
}
