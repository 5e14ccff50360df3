#pragma once
#include <cstdint>
#include <string>

// Where a render takes its interleaved float frames from and where it puts them, so that
// the same loop serves files, memory and whatever else feeds or collects audio.
class FrameSource {
public:
    virtual ~FrameSource() = default;
    virtual uint16_t Channels() const = 0;
    virtual uint32_t SampleRate() const = 0;
    // Reads up to maxFrames frames; *framesRead is 0 at the end. 0, or -1 with `error` set.
    virtual int Read(float* frames, uint32_t maxFrames, uint32_t* framesRead,
                     std::string& error) = 0;
};

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Appends `count` frames. 0, or -1 with `error` set.
    virtual int Write(const float* frames, uint32_t count, std::string& error) = 0;
};
