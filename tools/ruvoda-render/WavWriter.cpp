#include "WavWriter.h"

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "BinaryStdio.h"
#include "ByteOrder.h"
#include "SampleConversion.h"

namespace {

// A float file carries an 18-byte format chunk and a fact chunk; a PCM file a 16-byte
// format chunk only.
constexpr uint32_t kFloatHeaderBytes = 12 + 8 + 18 + 12 + 8;
constexpr uint32_t kPcmHeaderBytes = 12 + 8 + 16 + 8;

uint16_t BitsOf(SampleEncoding encoding) {
    return encoding == SampleEncoding::kPcm16 ? 16 : encoding == SampleEncoding::kPcm24 ? 24 : 32;
}

}  // namespace

WavWriter::~WavWriter() { Abort(); }

int WavWriter::Open(const std::string& path, uint16_t channels, uint32_t sampleRate,
                    SampleEncoding encoding, std::string& error) {
    Abort();
    path_ = path;
    tempPath_ = TemporaryPath(path);
    channels_ = channels;
    sampleRate_ = sampleRate;
    encoding_ = encoding;
    frames_ = 0;
    file_.open(tempPath_, std::ios::binary | std::ios::trunc);
    if (!file_) {
        error = path + ": cannot create the output file";
        tempPath_.clear();
        return -1;
    }
    // The header is written again with the final sizes on Commit.
    return WriteHeader(error);
}

int WavWriter::WriteHeader(std::string& error) {
    const bool isFloat = encoding_ == SampleEncoding::kFloat32;
    const uint16_t bits = BitsOf(encoding_);
    const uint16_t blockAlign = static_cast<uint16_t>(channels_ * bits / 8);
    const uint32_t headerBytes = isFloat ? kFloatHeaderBytes : kPcmHeaderBytes;
    const uint32_t dataBytes = static_cast<uint32_t>(frames_ * blockAlign);

    unsigned char h[kFloatHeaderBytes] = {};
    unsigned char* p = h;
    auto tag = [&p](const char* id) {
        for (int i = 0; i < 4; ++i) *p++ = static_cast<unsigned char>(id[i]);
    };
    auto u16 = [&p](uint16_t v) { WriteLe16(p, v); p += 2; };
    auto u32 = [&p](uint32_t v) { WriteLe32(p, v); p += 4; };
    tag("RIFF");
    u32(headerBytes - 8 + dataBytes);
    tag("WAVE");
    tag("fmt ");
    u32(isFloat ? 18 : 16);
    u16(isFloat ? 3 : 1);
    u16(channels_);
    u32(sampleRate_);
    u32(sampleRate_ * blockAlign);
    u16(blockAlign);
    u16(bits);
    if (isFloat) {
        u16(0);
        tag("fact");
        u32(4);
        u32(static_cast<uint32_t>(frames_));
    }
    tag("data");
    u32(dataBytes);

    file_.seekp(0);
    file_.write(reinterpret_cast<const char*>(h), headerBytes);
    file_.seekp(0, std::ios::end);
    if (!file_) {
        error = path_ + ": cannot write the output file";
        return -1;
    }
    return 0;
}

int WavWriter::Write(const float* frames, uint32_t count, std::string& error) {
    const size_t sampleBytes = BitsOf(encoding_) / 8u;
    const uint64_t maxFrames = (0xFFFFFFFFull - kFloatHeaderBytes) / (sampleBytes * channels_);
    if (frames_ + count > maxFrames) {
        error = path_ + ": the output would exceed the 4 GB limit of a WAVE file";
        return -1;
    }
    const size_t samples = static_cast<size_t>(count) * channels_;
    bytes_.resize(samples * sampleBytes);
    if (encoding_ == SampleEncoding::kFloat32) {
        for (size_t i = 0; i < samples; ++i) WriteLe32(&bytes_[i * sampleBytes], BitsFromFloat(frames[i]));
    } else {
        const PcmLayout layout = {uint16_t(sampleBytes), uint16_t(8 * sampleBytes)};
        FloatToPcm(frames, layout, bytes_.data(), samples);
    }
    file_.write(reinterpret_cast<const char*>(bytes_.data()),
                static_cast<std::streamsize>(bytes_.size()));
    if (!file_) {
        error = path_ + ": cannot write the output file";
        return -1;
    }
    frames_ += count;
    return 0;
}

int WavWriter::Commit(std::string& error) {
    if (tempPath_.empty()) {
        error = path_ + ": no output file is open";
        return -1;
    }
    if (WriteHeader(error) != 0) {
        Abort();
        return -1;
    }
    file_.close();
    if (!file_) {
        error = path_ + ": cannot write the output file";
        Abort();
        return -1;
    }
    if (path_ == "-") return SendToStandardOutput(error);
    std::error_code ec;
    std::filesystem::rename(tempPath_, path_, ec);
    if (ec) {
        error = path_ + ": cannot replace the output file (" + ec.message() + ")";
        Abort();
        return -1;
    }
    tempPath_.clear();
    return 0;
}

int WavWriter::SendToStandardOutput(std::string& error) {
    SetBinaryMode(stdout);
    std::ifstream finished(tempPath_, std::ios::binary);
    std::cout << finished.rdbuf();
    std::cout.flush();
    const bool sent = finished && std::cout;
    Abort();
    if (!sent) {
        error = "cannot write to standard output";
        return -1;
    }
    return 0;
}

void WavWriter::Abort() {
    if (file_.is_open()) file_.close();
    if (!tempPath_.empty()) {
        std::remove(tempPath_.c_str());
        tempPath_.clear();
    }
}
