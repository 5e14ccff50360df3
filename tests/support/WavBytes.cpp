#include "WavBytes.h"

#include <cmath>
#include <cstring>

namespace wavbytes {

std::string Le16(uint16_t v) {
    return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}

std::string Le24(int32_t v) {
    const uint32_t u = static_cast<uint32_t>(v);
    return std::string{static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                       static_cast<char>((u >> 16) & 0xFF)};
}

std::string Le32(uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

std::string Chunk(const char* id, const std::string& body) {
    std::string chunk = std::string(id, 4) + Le32(static_cast<uint32_t>(body.size())) + body;
    if (body.size() & 1) chunk += '\0';
    return chunk;
}

namespace {
std::string FormatBody(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
    return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}
}  // namespace

std::string FormatChunk(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    return Chunk("fmt ", FormatBody(tag, channels, rate, bits));
}

std::string ExtensibleFormatChunk(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits) {
    static const char kGuidTail[] = "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71";
    const std::string body = FormatBody(0xFFFE, channels, rate, bits) + Le16(22) + Le16(bits) +
                             Le32(channels == 1 ? 0x4 : 0x3) + Le16(subTag) +
                             std::string(kGuidTail, 14);
    return Chunk("fmt ", body);
}

std::string Riff(const std::string& chunks) {
    return "RIFF" + Le32(static_cast<uint32_t>(4 + chunks.size())) + "WAVE" + chunks;
}

std::string Wav(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                const std::string& data) {
    return Riff(FormatChunk(tag, channels, rate, bits) + Chunk("data", data));
}

namespace {
std::string IntegerData(const std::vector<float>& samples, int bits) {
    const double scale = bits == 16 ? 32768.0 : 8388608.0;
    std::string data;
    for (float s : samples) {
        const double v = std::fmax(-scale, std::fmin(std::round(s * scale), scale - 1));
        data += bits == 16 ? Le16(static_cast<uint16_t>(static_cast<int16_t>(v))) : Le24(static_cast<int32_t>(v));
    }
    return data;
}
}  // namespace

std::string Pcm16Data(const std::vector<float>& samples) { return IntegerData(samples, 16); }
std::string Pcm24Data(const std::vector<float>& samples) { return IntegerData(samples, 24); }

std::string FloatData(const std::vector<float>& samples) {
    std::string data;
    for (float s : samples) {
        uint32_t bits;
        std::memcpy(&bits, &s, 4);
        data += Le32(bits);
    }
    return data;
}

std::vector<float> TestSignal(uint32_t frames, int channels, uint32_t rate) {
    std::vector<float> samples(static_cast<size_t>(frames) * channels);
    uint32_t noise = 12345;
    const double burst = rate / 4.0;  // a new burst every quarter second
    for (uint32_t f = 0; f < frames; ++f) {
        const double t = std::fmod(f, burst) / rate;
        const double envelope = std::exp(-t * 30.0);
        for (int c = 0; c < channels; ++c) {
            noise = noise * 1664525u + 1013904223u;
            const double white = (static_cast<int32_t>(noise) / 2147483648.0) * 0.1;
            const double tone = std::sin(2.0 * 3.14159265358979 * (330.0 + 110.0 * c) * f / rate);
            samples[static_cast<size_t>(f) * channels + c] =
                static_cast<float>(0.6 * envelope * (tone + white));
        }
    }
    return samples;
}

}  // namespace wavbytes
