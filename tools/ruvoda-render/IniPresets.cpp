#include "IniPresets.h"

#include <cctype>
#include <fstream>
#include <map>
#include <sstream>

namespace {
using Section = std::map<std::string, std::string>;

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string Trim(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

std::map<std::string, Section> ParseSections(const std::string& text) {
    std::map<std::string, Section> sections;
    Section* current = nullptr;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        line = Trim(line);
        if (!line.empty() && line.front() == '[') {
            const size_t close = line.find(']');
            current = &sections[Lower(line.substr(1, close == std::string::npos ? std::string::npos
                                                                                : close - 1))];
            continue;
        }
        const size_t equals = line.find('=');
        if (current == nullptr || equals == std::string::npos) continue;
        current->emplace(Lower(Trim(line.substr(0, equals))), Trim(line.substr(equals + 1)));
    }
    return sections;
}

bool Take(const Section& section, const char* key, std::string& value) {
    const auto found = section.find(key);
    if (found == section.end()) return false;
    value = found->second;
    return true;
}
}  // namespace

std::vector<IniPreset> ReadIniPresets(const std::string& text) {
    const std::map<std::string, Section> sections = ParseSections(text);
    std::vector<IniPreset> presets;
    for (int number = 1;; ++number) {
        const auto section = sections.find("preset" + std::to_string(number));
        IniPreset preset;
        if (section == sections.end() || !Take(section->second, "version", preset.version) ||
            !Take(section->second, "name", preset.name) ||
            !Take(section->second, "bank", preset.bank) ||
            !Take(section->second, "data", preset.data)) {
            return presets;
        }
        presets.push_back(preset);
    }
}

bool ReadTextFile(const std::string& path, std::string& text) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    std::ostringstream content;
    content << file.rdbuf();
    text = content.str();
    return true;
}
