#pragma once
#include <algorithm>
#include <cstddef>
#include <cstdint>

// A run of consecutive sample periods on rings whose positions move down by one per period
// and wrap to length - 1. Calls fn(slots, index, count) for each stretch of the run that
// lies contiguously in memory on every ring, in the order of the periods: on ring r the
// stretch's slots are slots[r] .. slots[r] + count - 1 and belong to the run's frames listed
// at index .. index + count - 1 of an array that holds the run's `frames` frames latest
// first, so that slots and index rise together. Leaves the positions after the run.
template <size_t count, class Fn>
inline void ForEachCommonSpan(int32_t (&position)[count], const int32_t (&length)[count], uint32_t frames,
                              Fn&& fn) {
    for (uint32_t done = 0; done < frames;) {
        uint32_t n = frames - done;
        for (int32_t p : position) n = std::min(n, uint32_t(p) + 1);
        int32_t slots[count];
        for (size_t r = 0; r < count; ++r) slots[r] = position[r] - int32_t(n) + 1;
        fn(static_cast<const int32_t*>(slots), frames - done - n, n);
        done += n;
        for (size_t r = 0; r < count; ++r) position[r] = slots[r] == 0 ? length[r] - 1 : slots[r] - 1;
    }
}

// The same on one ring: fn(slot, index, count); returns the position after the run.
template <class Fn>
inline int32_t ForEachSpan(int32_t position, int32_t length, uint32_t frames, Fn&& fn) {
    int32_t positions[1] = {position};
    const int32_t lengths[1] = {length};
    ForEachCommonSpan(positions, lengths, frames,
                      [&](const int32_t* slots, uint32_t index, uint32_t n) { fn(slots[0], index, n); });
    return positions[0];
}
