#pragma once
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "FrameStream.h"

enum class SampleEncoding { kFloat32, kPcm16, kPcm24 };

// Writes a WAVE file through a temporary file beside the target, which replaces the target
// only on Commit. Whatever goes wrong, and whenever the writer is dropped uncommitted, the
// temporary file is removed: a failed render never leaves a file behind. The path "-"
// means standard output, which gets the finished file on Commit.
class WavWriter : public FrameSink {
public:
    WavWriter() = default;
    ~WavWriter() override;
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;

    // 0, or -1 with a one-line description in `error`.
    int Open(const std::string& path, uint16_t channels, uint32_t sampleRate,
             SampleEncoding encoding, std::string& error);
    int Write(const float* frames, uint32_t count, std::string& error) override;
    int Commit(std::string& error);
    void Abort();

    uint64_t FramesWritten() const { return frames_; }
    static std::string TemporaryPath(const std::string& path) { return path + ".tmp"; }

private:
    int WriteHeader(std::string& error);
    // Copies the finished temporary file to standard output and removes it.
    int SendToStandardOutput(std::string& error);

    std::string path_;
    std::string tempPath_;
    std::ofstream file_;
    uint16_t channels_ = 0;
    uint32_t sampleRate_ = 0;
    SampleEncoding encoding_ = SampleEncoding::kFloat32;
    uint64_t frames_ = 0;
    std::vector<unsigned char> bytes_;
};
