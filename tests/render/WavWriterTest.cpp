#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "WavBytes.h"
#include "WavReader.h"
#include "WavWriter.h"

namespace fs = std::filesystem;
using namespace wavbytes;

namespace {

// A fresh, empty folder per test.
class WavWriterTest : public ::testing::Test {
protected:
    fs::path dir_ = fs::path(::testing::TempDir()) /
                    ("wavwriter-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    void SetUp() override {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    size_t FileCount() const { return size_t(std::distance(fs::directory_iterator(dir_), fs::directory_iterator())); }
    // Writes `samples` (stereo, 8 kHz) in two calls, commits and returns the file's bytes.
    std::string WriteOut(const std::vector<float>& samples, SampleEncoding encoding) {
        WavWriter writer;
        std::string error;
        const uint32_t frames = uint32_t(samples.size() / 2), first = frames / 2;
        EXPECT_EQ(writer.Open(PathOf("out.wav"), 2, 8000, encoding, error), 0) << error;
        EXPECT_EQ(writer.Write(samples.data(), first, error), 0) << error;
        EXPECT_EQ(writer.Write(samples.data() + first * 2, frames - first, error), 0) << error;
        EXPECT_EQ(writer.Commit(error), 0) << error;
        EXPECT_EQ(writer.FramesWritten(), frames);
        std::ifstream in(PathOf("out.wav"), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
};

}  // namespace

// Float output keeps every sample; integers round half away from zero and saturate; the
// header's sizes (RIFF, fact frame count, data) agree with the file.
TEST_F(WavWriterTest, WritesEveryEncodingWithHeadersThatMatchTheData) {
    const std::vector<float> samples{1.0f, -1.0f, 2.0f, -2.0f, 0.5f, 1.0f / 65536 + 1e-9f,
                                     std::numeric_limits<float>::quiet_NaN(), -0.3f};
    const struct {
        SampleEncoding encoding;
        std::string header, data;
    } rows[] = {
        {SampleEncoding::kPcm16, FormatChunk(1, 2, 8000, 16).substr(0, 24) + "data" + Le32(16),
         Le16(32767) + Le16(0x8000) + Le16(32767) + Le16(0x8000) + Le16(16384) + Le16(1) + Le16(0) + Le16(uint16_t(-9830))},
        {SampleEncoding::kPcm24, FormatChunk(1, 2, 8000, 24).substr(0, 24) + "data" + Le32(24),
         Le24(8388607) + Le24(-8388608) + Le24(8388607) + Le24(-8388608) + Le24(4194304) + Le24(128) + Le24(0) + Le24(-2516583)},
    };
    for (const auto& row : rows) {
        const std::string bytes = WriteOut(samples, row.encoding);
        EXPECT_EQ(bytes.substr(0, 12), "RIFF" + Le32(uint32_t(bytes.size() - 8)) + "WAVE");
        EXPECT_EQ(bytes.substr(12, row.header.size()), row.header);
        EXPECT_EQ(bytes.substr(44), row.data);
    }
    const std::vector<float> floats{0.5f, -0.25f, 1.5f, -3.0f, 1e-30f, 0.1f};
    const std::string bytes = WriteOut(floats, SampleEncoding::kFloat32);
    EXPECT_EQ(bytes.size(), 58u + 24u);
    EXPECT_EQ(bytes.substr(4, 4), Le32(uint32_t(bytes.size() - 8)));
    EXPECT_EQ(bytes.substr(38, 20), "fact" + Le32(4) + Le32(3) + "data" + Le32(24));
    WavReader reader;
    std::string error;
    std::vector<float> back;
    ASSERT_EQ(reader.OpenFile(PathOf("out.wav"), error), 0) << error;
    ASSERT_EQ(reader.ReadAll(back, error), 0) << error;
    EXPECT_EQ(back, floats);
    EXPECT_TRUE(reader.Layout().isFloat);
}

TEST_F(WavWriterTest, OnlyCommitMakesTheTargetAppearAndReplaceAnOldFile) {
    const std::string target = PathOf("out.wav");
    const float frame[2] = {0.1f, 0.2f};
    std::string error;
    {
        WavWriter writer;
        ASSERT_EQ(writer.Open(target, 2, 44100, SampleEncoding::kFloat32, error), 0);
        ASSERT_EQ(writer.Write(frame, 1, error), 0);
        EXPECT_FALSE(fs::exists(target));
        EXPECT_TRUE(fs::exists(WavWriter::TemporaryPath(target)));
    }
    EXPECT_EQ(FileCount(), 0u) << "an uncommitted writer leaves nothing behind";
    std::ofstream(target) << "old contents";
    EXPECT_EQ(WriteOut({0.25f, 0.5f}, SampleEncoding::kFloat32).substr(58), FloatData({0.25f, 0.5f}));
    EXPECT_EQ(FileCount(), 1u);
}
