#pragma once
#include <algorithm>
#include <cstdint>

// A run of consecutive sample periods on a ring whose position moves down by one per period
// and wraps to length - 1. Calls fn(slot, index, count) for each stretch of the run that
// lies contiguously in memory, in the order of the periods: the stretch's slots are
// slot .. slot + count - 1 and belong to the run's frames listed at index .. index + count - 1
// of an array that holds the run's `frames` frames latest first, so that slot and index
// rise together. Returns the position after the run.
template <class Fn>
inline int32_t ForEachSpan(int32_t position, int32_t length, uint32_t frames, Fn&& fn) {
    for (uint32_t done = 0; done < frames;) {
        const uint32_t count = std::min(frames - done, uint32_t(position) + 1);
        const int32_t slot = position - int32_t(count) + 1;
        fn(slot, frames - done - count, count);
        done += count;
        position = slot == 0 ? length - 1 : slot - 1;
    }
    return position;
}
