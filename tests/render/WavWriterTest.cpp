#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>

#include "WavBytes.h"
#include "WavReader.h"
#include "WavWriter.h"

namespace fs = std::filesystem;

namespace {

// A fresh, empty folder per test.
class WavWriterTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("wavwriter-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string PathOf(const char* name) const { return (dir_ / name).string(); }
    size_t FileCount() const {
        return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }
    static std::string Contents(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    fs::path dir_;
};

std::vector<float> ReadAll(const std::string& path, WavLayout& layout) {
    WavReader reader;
    std::string error;
    std::vector<float> samples;
    EXPECT_EQ(reader.OpenFile(path, error), 0) << error;
    EXPECT_EQ(reader.ReadAll(samples, error), 0) << error;
    layout = reader.Layout();
    return samples;
}

}  // namespace

TEST_F(WavWriterTest, FloatOutputKeepsEverySampleExactly) {
    const std::vector<float> samples{0.5f, -0.25f, 1.5f, -3.0f, 1e-30f, 0.1f};
    WavWriter writer;
    std::string error;
    ASSERT_EQ(writer.Open(PathOf("out.wav"), 2, 44100, SampleEncoding::kFloat32, error), 0);
    ASSERT_EQ(writer.Write(samples.data(), 2, error), 0);
    ASSERT_EQ(writer.Write(samples.data() + 4, 1, error), 0);
    ASSERT_EQ(writer.Commit(error), 0) << error;
    EXPECT_EQ(writer.FramesWritten(), 3u);

    WavLayout layout;
    EXPECT_EQ(ReadAll(PathOf("out.wav"), layout), samples);
    EXPECT_TRUE(layout.isFloat);
    EXPECT_EQ(layout.channels, 2);
    EXPECT_EQ(layout.sampleRate, 44100u);

    // The header's sizes agree with the file: RIFF size, fact frame count, data size.
    const std::string bytes = Contents(PathOf("out.wav"));
    EXPECT_EQ(bytes.size(), 58u + 24u);
    EXPECT_EQ(bytes.substr(4, 4), wavbytes::Le32(static_cast<uint32_t>(bytes.size() - 8)));
    EXPECT_EQ(bytes.substr(38, 12), "fact" + wavbytes::Le32(4) + wavbytes::Le32(3));
    EXPECT_EQ(bytes.substr(50, 8), "data" + wavbytes::Le32(24));
}

TEST_F(WavWriterTest, IntegerOutputRoundsAndSaturates) {
    const std::vector<float> samples{1.0f,  -1.0f, 2.0f, -2.0f, 0.5f,
                                     1.0f / 65536 + 1e-9f, std::numeric_limits<float>::quiet_NaN(),
                                     -0.3f};
    using wavbytes::Le16;
    using wavbytes::Le24;
    const struct {
        SampleEncoding encoding;
        uint16_t bits;
        std::string data;
    } rows[] = {
        {SampleEncoding::kPcm16, 16,
         Le16(32767) + Le16(0x8000) + Le16(32767) + Le16(0x8000) + Le16(16384) + Le16(1) + Le16(0) +
             Le16(static_cast<uint16_t>(-9830))},
        {SampleEncoding::kPcm24, 24,
         Le24(8388607) + Le24(-8388608) + Le24(8388607) + Le24(-8388608) + Le24(4194304) + Le24(128) + Le24(0) +
             Le24(-2516583)},  // -0.3f lies exactly halfway: away from zero
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.bits);
        WavWriter writer;
        std::string error;
        ASSERT_EQ(writer.Open(PathOf("out.wav"), 1, 8000, row.encoding, error), 0);
        ASSERT_EQ(writer.Write(samples.data(), static_cast<uint32_t>(samples.size()), error), 0);
        ASSERT_EQ(writer.Commit(error), 0) << error;

        const std::string bytes = Contents(PathOf("out.wav"));
        ASSERT_EQ(bytes.size(), 44u + row.data.size());
        EXPECT_EQ(bytes.substr(20, 16), wavbytes::FormatChunk(1, 1, 8000, row.bits).substr(8));
        EXPECT_EQ(bytes.substr(44), row.data);
    }
}

TEST_F(WavWriterTest, OnlyCommitMakesTheTargetAppear) {
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

    WavWriter aborted;
    ASSERT_EQ(aborted.Open(target, 2, 44100, SampleEncoding::kFloat32, error), 0);
    aborted.Abort();
    EXPECT_EQ(FileCount(), 0u);
}

TEST_F(WavWriterTest, CommitReplacesAnExistingFile) {
    const std::string target = PathOf("out.wav");
    std::ofstream(target) << "old contents";
    const float frame[1] = {0.25f};
    WavWriter writer;
    std::string error;
    ASSERT_EQ(writer.Open(target, 1, 44100, SampleEncoding::kFloat32, error), 0);
    ASSERT_EQ(writer.Write(frame, 1, error), 0);
    ASSERT_EQ(writer.Commit(error), 0) << error;
    WavLayout layout;
    EXPECT_EQ(ReadAll(target, layout), std::vector<float>{0.25f});
    EXPECT_EQ(FileCount(), 1u);
}

TEST_F(WavWriterTest, UnwritablePlaceFailsWithoutLeavingFiles) {
    WavWriter writer;
    std::string error;
    EXPECT_NE(writer.Open(PathOf("missing-folder/out.wav"), 2, 44100, SampleEncoding::kFloat32, error), 0);
    EXPECT_NE(error.find("cannot create"), std::string::npos);
    EXPECT_NE(writer.Commit(error), 0);
    EXPECT_EQ(FileCount(), 0u);
}
