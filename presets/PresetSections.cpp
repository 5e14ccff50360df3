#include "PresetSections.h"

#include <cstdlib>
#include <cstring>

#include "StoreText.h"

namespace {
constexpr char kHeader[] = "Plug-in";
constexpr char kMissing[] = "KEY_NOT_FOUND";

std::string SectionName(int number) { return FormatText("Preset%d", number); }

// False when the key (or its section) is missing, or holds the missing marker itself.
bool ReadKey(ProfileFile& file, const std::string& section, const char* key, char* buffer,
             size_t size) {
    file.ReadString(section.c_str(), key, kMissing, buffer, size);
    return std::strcmp(buffer, kMissing) != 0;
}

// The leading decimal number of a version text; 0 when there is none.
int32_t ParseVersion(const char* text) {
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(value);
}

// The blanks the profile functions drop around a value.
bool IsBlank(char c) { return std::strchr(" \t\v\f\r\n\x1a", c) != nullptr && c != '\0'; }
}  // namespace

bool ReadPresetSection(ProfileFile& file, int number, PresetSection& out) {
    const std::string section = SectionName(number);
    char version[16];
    if (!ReadKey(file, section, "Version", version, sizeof version) ||
        !ReadKey(file, section, "Name", out.name, sizeof out.name) ||
        !ReadKey(file, section, "Bank", out.bank, sizeof out.bank) ||
        !ReadKey(file, section, "Data", out.data, sizeof out.data)) {
        return false;
    }
    out.version = ParseVersion(version);
    return true;
}

bool WritePresetSection(ProfileFile& file, int number, const Preset& preset) {
    const std::string section = SectionName(number);
    return file.WriteString(section.c_str(), "Version",
                            FormatText("%d", static_cast<int>(preset.version)).c_str()) &&
           file.WriteString(section.c_str(), "Name", ProfileValue(preset.name).c_str()) &&
           file.WriteString(section.c_str(), "Bank", ProfileValue(preset.bank).c_str()) &&
           file.WriteString(section.c_str(), "Data", ProfileValue(preset.data).c_str());
}

std::string ReadPresetClassKey(ProfileFile& file) {
    char classKey[100] = {};
    file.ReadString(kHeader, "CLSID", "", classKey, sizeof classKey);
    return classKey;
}

bool WritePresetHeader(ProfileFile& file, const char* pluginName, const char* classKeyText,
                       bool withDefault) {
    return file.WriteString(kHeader, "PluginName", pluginName) &&
           file.WriteString(kHeader, "CLSID", classKeyText != nullptr ? classKeyText : "") &&
           (!withDefault || file.WriteString(kHeader, "DefaultPreset", "1"));
}

bool DeletePresetSections(ProfileFile& file) {
    for (int number = 1;; ++number) {
        const std::string section = SectionName(number);
        char version[16];
        if (!ReadKey(file, section, "Version", version, sizeof version)) return true;
        // A deletion takes the first of duplicate sections only; the next one must not
        // come to light as a preset the file did not show before.
        do {
            if (!file.DeleteSection(section.c_str())) return false;
        } while (ReadKey(file, section, "Version", version, sizeof version));
    }
}

std::string ProfileValue(const char* text) {
    const size_t length = text != nullptr ? std::strlen(text) : 0;
    if (length == 0) return std::string();
    const bool blankEnds = IsBlank(text[0]) || IsBlank(text[length - 1]);
    const bool quoted = length >= 2 && (text[0] == '"' || text[0] == '\'') &&
                        text[length - 1] == text[0];
    return blankEnds || quoted ? "\"" + std::string(text) + "\"" : std::string(text);
}
