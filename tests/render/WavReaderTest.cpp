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
    for (;;) {
        uint32_t got = 0;
        d.status = reader.Read(buffer.data(), block, &got, d.error);
        if (d.status != 0 || got == 0) break;
        d.samples.insert(d.samples.end(), buffer.begin(), buffer.begin() + got * d.layout.channels);
    }
    return d;
}

std::string ErrorOf(const std::string& image) {
    Decoded d = Decode(image);
    EXPECT_NE(d.status, 0);
    return d.error;
}

}  // namespace

TEST(WavReader, IntegerEncodingsMapFullScaleToOne) {
    const Decoded pcm16 = Decode(Wav(1, 2, 48000, 16,
                                     Le16(0x8000) + Le16(0x4000) + Le16(0x7FFF) + Le16(0xFFFF)));
    ASSERT_EQ(pcm16.status, 0) << pcm16.error;
    EXPECT_EQ(pcm16.layout.channels, 2);
    EXPECT_EQ(pcm16.layout.sampleRate, 48000u);
    EXPECT_EQ(pcm16.layout.frames, 2u);
    EXPECT_EQ(pcm16.samples, (std::vector<float>{-1.0f, 0.5f, 32767 / 32768.0f, -1 / 32768.0f}));

    const Decoded pcm24 =
        Decode(Wav(1, 1, 44100, 24, Le24(-8388608) + Le24(4194304) + Le24(-1) + Le24(8388607)));
    ASSERT_EQ(pcm24.status, 0) << pcm24.error;
    EXPECT_EQ(pcm24.samples,
              (std::vector<float>{-1.0f, 0.5f, -1 / 8388608.0f, 8388607 / 8388608.0f}));

    const Decoded pcm32 =
        Decode(Wav(1, 1, 44100, 32, Le32(0x80000000u) + Le32(0x40000000u) + Le32(0xFFFFFF00u)));
    ASSERT_EQ(pcm32.status, 0) << pcm32.error;
    EXPECT_EQ(pcm32.samples, (std::vector<float>{-1.0f, 0.5f, -256 / 2147483648.0f}));
}

TEST(WavReader, FloatSamplesPassUnchangedEvenBeyondFullScale) {
    const std::vector<float> values{1.5f, -0.25f, 1e-7f, -3.0f};
    const Decoded d = Decode(Wav(3, 2, 96000, 32, FloatData(values)));
    ASSERT_EQ(d.status, 0) << d.error;
    EXPECT_TRUE(d.layout.isFloat);
    EXPECT_EQ(d.samples, values);
}

TEST(WavReader, ExtensibleHeadersCarryTheEncodingInTheirSubFormat) {
    const Decoded pcm =
        Decode(Riff(ExtensibleFormatChunk(1, 2, 44100, 24) + Chunk("data", Le24(4194304) + Le24(-4194304))));
    ASSERT_EQ(pcm.status, 0) << pcm.error;
    EXPECT_FALSE(pcm.layout.isFloat);
    EXPECT_EQ(pcm.samples, (std::vector<float>{0.5f, -0.5f}));

    const Decoded flt = Decode(Riff(ExtensibleFormatChunk(3, 1, 22050, 32) + Chunk("data", Float32(0.75f))));
    ASSERT_EQ(flt.status, 0) << flt.error;
    EXPECT_TRUE(flt.layout.isFloat);
    EXPECT_EQ(flt.samples, std::vector<float>{0.75f});

    std::string odd = Riff(ExtensibleFormatChunk(3, 1, 22050, 32) + Chunk("data", Float32(0.75f)));
    odd[12 + 8 + 24 + 10] = 0x11;  // one byte of the GUID's constant part
    EXPECT_NE(ErrorOf(odd).find("sub-format"), std::string::npos);

    EXPECT_NE(ErrorOf(Riff(ExtensibleFormatChunk(2, 1, 22050, 16) + Chunk("data", Le16(1))))
                  .find("format tag 2"),
              std::string::npos);
}

TEST(WavReader, SkipsUnknownAndOddSizedChunksWithTheirPadByte) {
    const std::string data = Le16(0x4000) + Le16(0xC000);
    const std::string image = Riff(Chunk("JUNK", "abc") + FormatChunk(1, 1, 8000, 16) +
                                   Chunk("LIST", "odd") + Chunk("data", data) +
                                   Chunk("cue ", "trailing"));
    ASSERT_EQ(image.size() % 2, 0u);
    const Decoded d = Decode(image);
    ASSERT_EQ(d.status, 0) << d.error;
    EXPECT_EQ(d.samples, (std::vector<float>{0.5f, -0.5f}));

    // An odd-sized data chunk (one mono 24-bit frame) at the very end, its pad byte missing.
    std::string unpadded = Riff(FormatChunk(1, 1, 8000, 24) + Chunk("data", Le24(4194304)));
    unpadded.pop_back();
    const Decoded e = Decode(unpadded);
    ASSERT_EQ(e.status, 0) << e.error;
    EXPECT_EQ(e.samples, std::vector<float>{0.5f});
}

TEST(WavReader, ReadsTheSameFramesWhateverTheBlockSize) {
    const std::string image = Wav(1, 2, 44100, 16, Pcm16Data(TestSignal(1000, 2, 44100)));
    const Decoded whole = Decode(image, 4096);
    ASSERT_EQ(whole.status, 0);
    ASSERT_EQ(whole.samples.size(), 2000u);
    for (uint32_t block : {1u, 3u, 999u}) EXPECT_EQ(Decode(image, block).samples, whole.samples) << block;

    WavReader reader;
    std::string error;
    std::vector<float> all;
    ASSERT_EQ(reader.Open(std::make_unique<std::istringstream>(image), error), 0);
    ASSERT_EQ(reader.ReadAll(all, error), 0);
    EXPECT_EQ(all, whole.samples);
}

TEST(WavReader, AcceptsAnEmptyDataChunk) {
    const Decoded d = Decode(Wav(3, 2, 44100, 32, ""));
    ASSERT_EQ(d.status, 0) << d.error;
    EXPECT_EQ(d.layout.frames, 0u);
    EXPECT_TRUE(d.samples.empty());
}

TEST(WavReader, DataSizeLeftUnknownByAStreamingWriterRunsToTheEnd) {
    const std::vector<float> signal = TestSignal(100, 2, 44100);
    const std::string data = Pcm16Data(signal);
    for (uint32_t declared : {0u, 0xFFFFFFFFu}) {
        SCOPED_TRACE(declared);
        // The RIFF size is as unknown as the data size; a half frame at the end is dropped.
        std::string image = Riff(FormatChunk(1, 2, 44100, 16) + "data" + Le32(declared) + data + "x");
        const Decoded d = Decode(image);
        ASSERT_EQ(d.status, 0) << d.error;
        EXPECT_EQ(d.layout.frames, 100u);
        EXPECT_EQ(d.samples.size(), 200u);
    }
    const Decoded empty = Decode(Riff(FormatChunk(1, 2, 44100, 16) + "data" + Le32(0)));
    ASSERT_EQ(empty.status, 0) << empty.error;
    EXPECT_EQ(empty.layout.frames, 0u);
}

TEST(WavReader, RejectsTruncatedData) {
    std::string image = Wav(1, 2, 44100, 16, Pcm16Data(TestSignal(100, 2, 44100)));
    image.resize(image.size() - 10);
    EXPECT_NE(ErrorOf(image).find("truncated data"), std::string::npos);

    // Whole bytes but a partial frame: 3 bytes of stereo 16-bit.
    EXPECT_NE(ErrorOf(Wav(1, 2, 44100, 16, "abc")).find("incomplete"), std::string::npos);

    // A chunk before the data that runs past the end of the file.
    std::string cut = Riff(FormatChunk(1, 1, 8000, 16) + "LIST" + Le32(1000) + "xy");
    EXPECT_NE(ErrorOf(cut).find("truncated"), std::string::npos);
}

TEST(WavReader, RejectsWhatIsNotWave) {
    EXPECT_EQ(ErrorOf(""), "not a RIFF WAVE file");
    EXPECT_EQ(ErrorOf("hello, this is plain text and not audio"), "not a RIFF WAVE file");
    EXPECT_EQ(ErrorOf("RIFF" + Le32(4) + "AVI "), "not a RIFF WAVE file");
    EXPECT_EQ(ErrorOf(Riff(Chunk("data", Le16(1)))), "data chunk before the format chunk");
    EXPECT_EQ(ErrorOf(Riff(FormatChunk(1, 1, 8000, 16))), "no data chunk");
    EXPECT_EQ(ErrorOf(Riff(Chunk("JUNK", "x"))), "no format chunk");
    EXPECT_EQ(ErrorOf(Riff(Chunk("fmt ", "short") + Chunk("data", ""))), "malformed format chunk");
}

TEST(WavReader, RejectsUnsupportedEncodingsAndChannelCounts) {
    EXPECT_NE(ErrorOf(Wav(1, 1, 8000, 8, "ab")).find("8-bit integer"), std::string::npos);
    EXPECT_NE(ErrorOf(Wav(3, 1, 8000, 64, std::string(8, '\0'))).find("64-bit float"),
              std::string::npos);
    EXPECT_NE(ErrorOf(Wav(2, 1, 8000, 4, "ab")).find("format tag 2"), std::string::npos);
    EXPECT_NE(ErrorOf(Wav(3, 3, 8000, 32, std::string(12, '\0'))).find("channel count 3"),
              std::string::npos);
    EXPECT_NE(ErrorOf(Wav(1, 0, 8000, 16, "")).find("channel count 0"), std::string::npos);
    EXPECT_NE(ErrorOf(Wav(1, 1, 0, 16, "ab")).find("sample rate 0"), std::string::npos);

    // A block alignment that does not match channels and bits.
    std::string image = Wav(1, 2, 8000, 16, "abcd");
    image[12 + 8 + 12] = 2;
    EXPECT_NE(ErrorOf(image).find("block alignment"), std::string::npos);
}
