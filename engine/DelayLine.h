#pragma once
#include <cstdint>

// One ring buffer of the network. The position is the slot read and then written in the
// current sample period; it moves down after each write and wraps to length - 1.
// The memory belongs to the engine; this record only points at it.
struct DelayLine {
    float* data = nullptr;
    int32_t allocated = 0;  // floats held
    int32_t length = 0;     // current length, 1 <= length <= allocated once prepared
    int32_t position = 0;

    float Read() const { return data[position]; }

    void WriteAndStep(float value) {
        data[position] = value;
        if (--position < 0) position = length - 1;
    }

    // The sample `offset` slots above the position; offsets never exceed the length, so
    // one subtraction wraps.
    float Tap(int32_t offset) const {
        int32_t slot = position + offset;
        if (slot >= length) slot -= length;
        return data[slot];
    }

    void Resize(int32_t newLength) {
        length = newLength;
        position %= newLength;
    }
};

// The line the early reflections read: a power-of-two size, wrapped with a mask. Taps are
// read before the current sample is written, so delay d returns the sample written d
// periods earlier.
struct EarlyTapLine {
    float* data = nullptr;
    int32_t size = 0;
    int32_t position = 0;

    float Tap(int32_t delay) const { return data[(position + delay) & (size - 1)]; }

    void WriteAndStep(float value) {
        data[position] = value;
        position = (position - 1) & (size - 1);
    }
};
