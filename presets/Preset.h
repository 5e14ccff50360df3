#pragma once
#include <cstdint>

// One named setting. The data text is the 18-value parameter text; the store never
// parses it. Name and bank are fixed fields so that their limits hold everywhere.
struct Preset {
    static constexpr int kTextField = 128;  // 127 characters and the terminator

    int32_t version;
    char name[kTextField];
    char bank[kTextField];  // empty: no bank
    char* data;             // owned; allocated with CopyPresetData
    int32_t id;
};

// The version this system gives every preset it creates or updates.
constexpr int32_t kCurrentPresetVersion = 3;

// Data texts are plain heap blocks so that whoever answers MSG_GET_PRESET_DATA can hand
// one over to a preset. Both return/accept null; CopyPresetData returns null when out
// of memory.
char* CopyPresetData(const char* text);
void FreePresetData(char* text);

// A new record with a copy of `data` (null when either allocation fails). Name and bank
// are cut to 127 characters.
Preset* NewPreset(int32_t version, const char* name, const char* bank, const char* data,
                  int32_t id);
void FreePreset(Preset* preset);
