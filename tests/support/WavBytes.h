#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Builds WAVE file images byte by byte, including malformed ones, for the tests.
namespace wavbytes {

std::string Le16(uint16_t v);
std::string Le24(int32_t v);
std::string Le32(uint32_t v);

// A chunk with its header, padded to an even size.
std::string Chunk(const char* id, const std::string& body);
std::string FormatChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
// WAVE_FORMAT_EXTENSIBLE with every bit valid; `subTag` is the sub-format's tag.
std::string ExtensibleFormatChunk(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits);
std::string Riff(const std::string& chunks);

// A complete file: format chunk and data chunk.
std::string Wav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                const std::string& data);

// Interleaved 16- or 24-bit PCM of the given float samples (full scale 1.0), or floats.
std::string Pcm16Data(const std::vector<float>& samples);
std::string Pcm24Data(const std::vector<float>& samples);
std::string FloatData(const std::vector<float>& samples);

// A deterministic test signal: decaying tone bursts with a little noise, interleaved.
std::vector<float> TestSignal(uint32_t frames, int channels, uint32_t rate);

}  // namespace wavbytes
