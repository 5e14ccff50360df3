#pragma once
#include <cstddef>

// One INI file in the platform's profile format, as the profile functions see it: the
// first section and the first key of a name count, names compare case-insensitively, and
// values come back without surrounding blanks or one pair of enclosing quotes.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // The value of `key` in `section`, or `fallback` when either is missing, cut to
    // size - 1 characters and terminated.
    virtual void ReadString(const char* section, const char* key, const char* fallback,
                            char* buffer, size_t size) = 0;
    // Sets the value, adding the key or section where missing; false when the file could
    // not be written (read-only, locked, on a drive that is not there).
    virtual bool WriteString(const char* section, const char* key, const char* value) = 0;
    virtual bool DeleteSection(const char* section) = 0;
};
