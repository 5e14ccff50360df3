#include "PresetList.h"

#include <new>

PresetList::~PresetList() { delete[] items_; }

Preset* PresetList::At(int index) const {
    if (index < 0 || index >= count_) return nullptr;
    return items_[index];
}

bool PresetList::Set(int index, Preset* preset) {
    if (index < 0) return false;
    if (index >= capacity_) {
        // Exactly one more slot than needed: lists stay small and the growth is predictable.
        Preset** grown = new (std::nothrow) Preset*[static_cast<size_t>(index) + 1]();
        if (grown == nullptr) return false;
        for (int i = 0; i < count_; ++i) grown[i] = items_[i];
        delete[] items_;
        items_ = grown;
        capacity_ = index + 1;
    }
    items_[index] = preset;
    if (index >= count_) count_ = index + 1;
    return true;
}

Preset* PresetList::RemoveAt(int index) {
    if (index < 0 || index >= count_) return nullptr;
    Preset* removed = items_[index];
    for (int i = index; i + 1 < count_; ++i) items_[i] = items_[i + 1];
    --count_;
    items_[count_] = nullptr;
    return removed;
}
