#pragma once
// Samples to raw bytes and back, for buffers that travel as bytes.
#include <cstdint>
#include <cstring>
#include <vector>

template <class T>
std::vector<uint8_t> AsBytes(const std::vector<T>& values) {
    std::vector<uint8_t> bytes(values.size() * sizeof(T));
    if (!bytes.empty()) std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

// Whole values only; a trailing partial value is dropped.
template <class T>
std::vector<T> FromBytes(const std::vector<uint8_t>& bytes) {
    std::vector<T> values(bytes.size() / sizeof(T));
    if (!values.empty()) std::memcpy(values.data(), bytes.data(), values.size() * sizeof(T));
    return values;
}
