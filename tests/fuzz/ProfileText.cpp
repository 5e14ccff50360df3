#include "ProfileText.h"

#include <cstring>

#include "StoreText.h"

namespace {
bool IsBlank(char c) { return c != '\0' && std::strchr(" \t\v\f\x1a", c) != nullptr; }

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first])) ++first;
    while (last > first && IsBlank(text[last - 1])) --last;
    return text.substr(first, last - first);
}
}  // namespace

ProfileText::ProfileText(const std::string& text) {
    sections_.push_back(Section{std::string(), false, {}});
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        const size_t close = line.rfind(']');
        if (line[0] == '[' && close != std::string::npos) {
            sections_.push_back(Section{Trim(line.substr(1, close - 1)), true, {}});
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            sections_.back().keys.push_back(Key{line, std::string(), false});
        } else {
            sections_.back().keys.push_back(
                Key{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1)), true});
        }
    }
}

ProfileText::Section* ProfileText::FindSection(const char* name) {
    for (Section& section : sections_) {
        if (section.named && EqualFolded(section.name.c_str(), name)) return &section;
    }
    return nullptr;
}

void ProfileText::ReadString(const char* section, const char* key, const char* fallback,
                             char* buffer, size_t size) {
    std::string value = fallback;
    if (const Section* found = FindSection(section)) {
        for (const Key& k : found->keys) {
            if (!EqualFolded(k.name.c_str(), key)) continue;
            value = k.value.c_str();
            if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') &&
                value.back() == value[0]) {
                value = value.substr(1, value.size() - 2);
            }
            break;
        }
    }
    CopyBounded(buffer, size, value.c_str());
}

bool ProfileText::WriteString(const char* section, const char* key, const char* value) {
    Section* found = FindSection(section);
    if (found == nullptr) {
        sections_.push_back(Section{section, true, {}});
        found = &sections_.back();
    }
    while (IsBlank(*value)) ++value;
    for (Key& k : found->keys) {
        if (EqualFolded(k.name.c_str(), key)) {
            k.value = value;
            k.hasValue = true;
            return true;
        }
    }
    found->keys.push_back(Key{key, value, true});
    return true;
}

bool ProfileText::DeleteSection(const char* section) {
    for (auto it = sections_.begin(); it != sections_.end(); ++it) {
        if (it->named && EqualFolded(it->name.c_str(), section)) {
            sections_.erase(it);
            return true;
        }
    }
    return true;
}

std::string ProfileText::Text() const {
    std::string text;
    for (const Section& section : sections_) {
        if (section.named) text += "[" + section.name + "]\r\n";
        for (const Key& k : section.keys) {
            text += k.hasValue ? k.name + "=" + k.value + "\r\n" : k.name + "\r\n";
        }
        text += "\r\n";
    }
    return text;
}
