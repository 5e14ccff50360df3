#pragma once
#include "Preset.h"

// A growable array of preset pointers. It never owns the presets: removing an entry
// hands it back to the caller, and destruction frees only the array.
class PresetList {
public:
    PresetList() = default;
    ~PresetList();
    PresetList(const PresetList&) = delete;
    PresetList& operator=(const PresetList&) = delete;

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }

    // Null outside 0..Count()-1 (and for a slot never set).
    Preset* At(int index) const;

    // Grows the capacity to exactly index + 1 when index is at or past it, then raises the
    // count to index + 1 if needed. False (and nothing changed) for a negative index or
    // when the larger array cannot be had.
    bool Set(int index, Preset* preset);
    bool Append(Preset* preset) { return Set(count_, preset); }

    // Shifts the later entries down; returns the removed pointer, null outside the list.
    Preset* RemoveAt(int index);

private:
    Preset** items_ = nullptr;
    int count_ = 0;
    int capacity_ = 0;
};
