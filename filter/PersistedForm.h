#pragma once
// The parameter block a host keeps in its saved graph: a 20-byte header (total size,
// then the parameter interface's identifier in GUID byte layout) and the record's fields
// in record order, signed 32-bit little-endian each. Older forms carry 15 or 18 fields.
#include <cstddef>
#include <cstdint>

#include "ReverbParams.h"

constexpr uint32_t kPersistedHeaderSize = 20;
constexpr uint32_t kPersistedSize = kPersistedHeaderSize + kParamCount * 4;  // 96

// Writes the 96-byte form of `params` under the 16-byte `identifier`.
void WritePersistedForm(const ReverbParams& params, const uint8_t identifier[16],
                        uint8_t out[kPersistedSize]);

// The total size recorded in a header, when the header names `identifier` and a size we
// know (80, 92 or 96); otherwise 0.
uint32_t PersistedFormSize(const uint8_t header[kPersistedHeaderSize], const uint8_t identifier[16]);

// Reads the fields that follow the header of a form of `size` bytes; fields an older form
// lacks get the values that form implied (early reflections at -3.5 dB, unmuted, 100 %
// width, no tail).
ReverbParams ReadPersistedFields(const uint8_t* fields, uint32_t size);
