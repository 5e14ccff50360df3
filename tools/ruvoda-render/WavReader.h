#pragma once
#include <cstdint>
#include <istream>
#include <memory>
#include <string>
#include <vector>

#include "FrameStream.h"

// The sample layout of a WAVE file's data chunk.
struct WavLayout {
    uint16_t channels = 0;
    uint32_t sampleRate = 0;
    uint16_t bitsPerSample = 0;  // container size: 16, 24 or 32
    bool isFloat = false;
    uint64_t frames = 0;
};

// Reads RIFF WAVE audio with 1 or 2 channels: 16-, 24- and 32-bit integer PCM and 32-bit
// IEEE float, plain or extensible, as floats where full scale is 1.0. Every problem with
// the header or the data size is found by Open, before a single frame is read.
class WavReader : public FrameSource {
public:
    // 0, or -1 with a one-line description in `error`.
    // `path` "-" reads standard input, wholly, before the header is looked at.
    int OpenFile(const std::string& path, std::string& error);
    int Open(std::unique_ptr<std::istream> stream, std::string& error);

    const WavLayout& Layout() const { return layout_; }
    uint16_t Channels() const override { return layout_.channels; }
    uint32_t SampleRate() const override { return layout_.sampleRate; }
    int Read(float* frames, uint32_t maxFrames, uint32_t* framesRead,
             std::string& error) override;
    // Reads every frame that is left. 0, or -1 with `error` set.
    int ReadAll(std::vector<float>& samples, std::string& error);

private:
    int ParseFormat(const std::vector<unsigned char>& chunk, std::string& error);
    int FindData(uint64_t fileSize, std::string& error);

    std::unique_ptr<std::istream> stream_;
    WavLayout layout_;
    uint64_t framesLeft_ = 0;
    std::vector<unsigned char> bytes_;
};
