#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a RIFF WAVE file with `data` as its samples and a plain format chunk (tag 1 or 3),
// or an extensible one of that subformat when `validBits` is not 0.
bool WriteWavFile(const std::wstring& path, uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                  const std::vector<uint8_t>& data, uint16_t validBits = 0);
