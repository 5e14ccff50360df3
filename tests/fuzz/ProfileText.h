#pragma once
// A profile file held as text, read and written as the platform's profile functions treat
// a file, as far as the preset file is concerned: lines end at CR or LF; a line "[name]" (up
// to its last "]") opens a section; "key=value" splits at the first "=" (a line without one
// is a key without value); blanks around names and values go; lines before the first
// section are out of reach. The first section and key of a name (case-insensitive) count,
// values lose one pair of enclosing quotes, writes lose leading blanks, and a deleted
// section takes only its first occurrence.
#include <string>
#include <utility>
#include <vector>

#include "ProfileFile.h"

class ProfileText : public ProfileFile {
public:
    explicit ProfileText(const std::string& text);

    void ReadString(const char* section, const char* key, const char* fallback, char* buffer,
                    size_t size) override;
    bool WriteString(const char* section, const char* key, const char* value) override;
    bool DeleteSection(const char* section) override;

    std::string Text() const;

private:
    using Keys = std::vector<std::pair<std::string, std::string>>;  // names and values
    std::vector<std::pair<std::string, Keys>> sections_;
};
