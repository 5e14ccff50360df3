#include "ProfileText.h"

#include <algorithm>
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

// The first entry (section or key) called `name`, or null.
template <typename Entries>
typename Entries::value_type* Find(Entries& entries, const char* name) {
    for (auto& entry : entries)
        if (EqualFolded(entry.first.c_str(), name)) return &entry;
    return nullptr;
}
}  // namespace

ProfileText::ProfileText(const std::string& text) {
    for (size_t start = 0, end; start < text.size(); start = end + 1) {
        end = std::min(text.find_first_of("\r\n", start), text.size());
        const std::string line = Trim(text.substr(start, end - start));
        const size_t close = line.rfind(']'), equals = line.find('=');
        if (!line.empty() && line[0] == '[' && close != std::string::npos) {
            sections_.emplace_back(Trim(line.substr(1, close - 1)), Keys{});
        } else if (!line.empty() && !sections_.empty()) {
            sections_.back().second.emplace_back(
                Trim(line.substr(0, equals)), equals == std::string::npos ? "" : Trim(line.substr(equals + 1)));
        }
    }
}

void ProfileText::ReadString(const char* section, const char* key, const char* fallback,
                             char* buffer, size_t size) {
    std::string value = fallback;
    auto* found = Find(sections_, section);
    if (const auto* k = found ? Find(found->second, key) : nullptr) {
        value = k->second.c_str();
        if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
            value = value.substr(1, value.size() - 2);
    }
    CopyBounded(buffer, size, value.c_str());
}

bool ProfileText::WriteString(const char* section, const char* key, const char* value) {
    auto* found = Find(sections_, section);
    if (found == nullptr) found = &sections_.emplace_back(section, Keys{});
    while (IsBlank(*value)) ++value;
    if (auto* k = Find(found->second, key)) k->second = value;
    else found->second.emplace_back(key, value);
    return true;
}

bool ProfileText::DeleteSection(const char* section) {
    if (auto* found = Find(sections_, section)) sections_.erase(sections_.begin() + (found - sections_.data()));
    return true;
}

std::string ProfileText::Text() const {
    std::string text;
    for (const auto& [name, keys] : sections_) {
        text += "[" + name + "]\r\n";
        for (const auto& [key, value] : keys) text += key + "=" + value + "\r\n";
        text += "\r\n";
    }
    return text;
}
