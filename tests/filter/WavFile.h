#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writes a RIFF WAVE file with a plain format chunk (tag 1 or 3) and `data` as its samples.
bool WriteWavFile(const std::wstring& path, uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                  const std::vector<uint8_t>& data);
