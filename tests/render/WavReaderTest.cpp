#include <gtest/gtest.h>

#include <sstream>

#include "WavBytes.h"
#include "WavReader.h"

using namespace wavbytes;

namespace {

struct Decoded {
    int status = -1;
    std::string error;
    WavLayout layout;
    std::vector<float> samples;
};

// Opens an in-memory image and reads every frame, `block` frames at a time.
Decoded Decode(const std::string& image, uint32_t block = 1024) {
    Decoded d;
    WavReader reader;
    d.status = reader.Open(std::make_unique<std::istringstream>(image), d.error);
    if (d.status != 0) return d;
    d.layout = reader.Layout();
    std::vector<float> buffer(block * d.layout.channels);
    for (uint32_t got = 1; got != 0;) {
        d.status = reader.Read(buffer.data(), block, &got, d.error);
        if (d.status != 0) break;
        d.samples.insert(d.samples.end(), buffer.begin(), buffer.begin() + got * d.layout.channels);
    }
    return d;
}

std::string WithByte(std::string image, size_t at, char value) {
    image[at] = value;
    return image;
}

std::string Cut(std::string image, size_t bytes) {
    image.resize(image.size() - bytes);
    return image;
}

}  // namespace

TEST(WavReader, DecodesEveryEncodingToFloatsAtFullScaleOne) {
    const std::string unknownSize = Riff(FormatChunk(1, 2, 44100, 16) + "data" + Le32(0) + Le16(0x4000) + Le16(0xC000) + "x");
    const struct {
        const char* what;
        std::string image;
        uint16_t channels;
        uint32_t rate;
        bool isFloat;
        std::vector<float> samples;
    } cases[] = {
        {"16-bit", Wav(1, 2, 48000, 16, Le16(0x8000) + Le16(0x4000) + Le16(0x7FFF) + Le16(0xFFFF)), 2, 48000, false,
         {-1.0f, 0.5f, 32767 / 32768.0f, -1 / 32768.0f}},
        {"24-bit", Wav(1, 1, 44100, 24, Le24(-8388608) + Le24(4194304) + Le24(-1) + Le24(8388607)), 1, 44100, false,
         {-1.0f, 0.5f, -1 / 8388608.0f, 8388607 / 8388608.0f}},
        {"32-bit", Wav(1, 1, 44100, 32, Le32(0x80000000u) + Le32(0x40000000u) + Le32(0xFFFFFF00u)), 1, 44100, false,
         {-1.0f, 0.5f, -256 / 2147483648.0f}},
        {"float beyond full scale", Wav(3, 2, 96000, 32, FloatData({1.5f, -0.25f, 1e-7f, -3.0f})), 2, 96000, true,
         {1.5f, -0.25f, 1e-7f, -3.0f}},
        {"extensible 24-bit", Riff(ExtensibleFormatChunk(1, 2, 44100, 24) + Chunk("data", Le24(4194304) + Le24(-4194304))),
         2, 44100, false, {0.5f, -0.5f}},
        {"extensible float", Riff(ExtensibleFormatChunk(3, 1, 22050, 32) + Chunk("data", FloatData({0.75f}))), 1, 22050, true, {0.75f}},
        {"odd chunks skipped with their pad byte",
         Riff(Chunk("JUNK", "abc") + FormatChunk(1, 1, 8000, 16) + Chunk("LIST", "odd") +
              Chunk("data", Le16(0x4000) + Le16(0xC000)) + Chunk("cue ", "trailing")), 1, 8000, false, {0.5f, -0.5f}},
        {"odd data at the end without its pad byte", Cut(Riff(FormatChunk(1, 1, 8000, 24) + Chunk("data", Le24(4194304))), 1),
         1, 8000, false, {0.5f}},
        {"empty data", Wav(3, 2, 44100, 32, ""), 2, 44100, true, {}},
        // A streaming writer's unknown sizes run to the end; a half frame there is dropped.
        {"data size 0", unknownSize, 2, 44100, false, {0.5f, -0.5f}},
        {"data size ~0", Riff(FormatChunk(1, 2, 44100, 16) + "data" + Le32(~0u) + Le16(0x4000) + Le16(0xC000) + "x"), 2, 44100,
         false, {0.5f, -0.5f}},
    };
    for (const auto& c : cases) {
        for (uint32_t block : {1u, 3u, 4096u}) {
            const Decoded d = Decode(c.image, block);
            ASSERT_EQ(d.status, 0) << c.what << ": " << d.error;
            EXPECT_EQ(d.samples, c.samples) << c.what << ", blocks of " << block;
            EXPECT_EQ(d.layout.frames * d.layout.channels, c.samples.size()) << c.what;
            EXPECT_EQ(d.layout.channels, c.channels) << c.what;
            EXPECT_EQ(d.layout.sampleRate, c.rate) << c.what;
            EXPECT_EQ(d.layout.isFloat, c.isFloat) << c.what;
        }
    }
}

TEST(WavReader, RefusesBadFilesWithOneLineSayingWhy) {
    const std::string pcm = Wav(1, 2, 44100, 16, Pcm16Data(TestSignal(100, 2, 44100)));
    const std::string extensible = Riff(ExtensibleFormatChunk(3, 1, 22050, 32) + Chunk("data", FloatData({0.75f})));
    const struct {
        std::string image;
        const char* message;
    } cases[] = {
        {"", "not a RIFF WAVE file"},
        {"hello, this is plain text and not audio", "not a RIFF WAVE file"},
        {"RIFF" + Le32(4) + "AVI ", "not a RIFF WAVE file"},
        {Riff(Chunk("data", Le16(1))), "data chunk before the format chunk"},
        {Riff(FormatChunk(1, 1, 8000, 16)), "no data chunk"},
        {Riff(Chunk("JUNK", "x")), "no format chunk"},
        {Riff(Chunk("fmt ", "short") + Chunk("data", "")), "malformed format chunk"},
        {Cut(pcm, 10), "truncated data"},
        {Wav(1, 2, 44100, 16, "abc"), "incomplete"},  // whole bytes, a partial frame
        {Riff(FormatChunk(1, 1, 8000, 16) + "LIST" + Le32(1000) + "xy"), "truncated"},
        {Wav(1, 1, 8000, 8, "ab"), "8-bit integer"},
        {Wav(3, 1, 8000, 64, std::string(8, '\0')), "64-bit float"},
        {Wav(2, 1, 8000, 4, "ab"), "format tag 2"},
        {Riff(ExtensibleFormatChunk(2, 1, 22050, 16) + Chunk("data", Le16(1))), "format tag 2"},
        {WithByte(extensible, 12 + 8 + 24 + 10, 0x11), "sub-format"},  // the GUID's constant part
        {Wav(3, 3, 8000, 32, std::string(12, '\0')), "channel count 3"},
        {Wav(1, 0, 8000, 16, ""), "channel count 0"},
        {Wav(1, 1, 0, 16, "ab"), "sample rate 0"},
        {WithByte(Wav(1, 2, 8000, 16, "abcd"), 12 + 8 + 12, 2), "block alignment"},
    };
    for (const auto& c : cases) {
        const Decoded d = Decode(c.image);
        EXPECT_NE(d.status, 0) << c.message;
        EXPECT_NE(d.error.find(c.message), std::string::npos) << "expected \"" << c.message << "\", got \"" << d.error << "\"";
        EXPECT_EQ(d.error.find('\n'), std::string::npos) << d.error;
    }
}
