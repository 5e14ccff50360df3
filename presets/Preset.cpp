#include "Preset.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "StoreText.h"

char* CopyPresetData(const char* text) {
    if (text == nullptr) return nullptr;
    const size_t size = std::strlen(text) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy != nullptr) std::memcpy(copy, text, size);
    return copy;
}

void FreePresetData(char* text) { std::free(text); }

Preset* NewPreset(int32_t version, const char* name, const char* bank, const char* data,
                  int32_t id) {
    Preset* preset = new (std::nothrow) Preset();
    if (preset == nullptr) return nullptr;
    preset->data = CopyPresetData(data != nullptr ? data : "");
    if (preset->data == nullptr) {
        delete preset;
        return nullptr;
    }
    preset->version = version;
    CopyBounded(preset->name, sizeof preset->name, name);
    CopyBounded(preset->bank, sizeof preset->bank, bank);
    preset->id = id;
    return preset;
}

void FreePreset(Preset* preset) {
    if (preset == nullptr) return;
    FreePresetData(preset->data);
    delete preset;
}
