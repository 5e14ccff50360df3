#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "EngineRender.h"
#include "ReverbEngine.h"
#include "Signals.h"
#include "WavBytes.h"

namespace {

// Frames from memory; fails once `failAtFrame` frames have been handed out.
class MemorySource : public FrameSource {
public:
    MemorySource(uint16_t channels, uint32_t rate, std::vector<float> samples, size_t failAtFrame = SIZE_MAX)
        : channels_(channels), rate_(rate), samples_(std::move(samples)), failAt_(failAtFrame) {}
    uint16_t Channels() const override { return channels_; }
    uint32_t SampleRate() const override { return rate_; }
    int Read(float* frames, uint32_t maxFrames, uint32_t* framesRead, std::string& error) override {
        if (next_ >= failAt_) {
            error = "source gave up";
            return -1;
        }
        const size_t left = samples_.size() / channels_ - next_;
        *framesRead = static_cast<uint32_t>(std::min<size_t>(maxFrames, left));
        std::copy_n(&samples_[next_ * channels_], *framesRead * channels_, frames);
        next_ += *framesRead;
        return 0;
    }

private:
    uint16_t channels_;
    uint32_t rate_;
    std::vector<float> samples_;
    size_t failAt_;
    size_t next_ = 0;
};

// Collects frames; fails on the write that would pass `failAtFrame` frames.
class MemorySink : public FrameSink {
public:
    explicit MemorySink(int channels, size_t failAtFrame = SIZE_MAX) : channels_(channels), failAt_(failAtFrame) {}
    int Write(const float* frames, uint32_t count, std::string& error) override {
        if (samples.size() / channels_ + count > failAt_) {
            error = "sink is full";
            return -1;
        }
        samples.insert(samples.end(), frames, frames + count * channels_);
        return 0;
    }
    std::vector<float> samples;

private:
    int channels_;
    size_t failAt_;
};

struct Rendered {
    int status;
    std::string error;
    std::vector<float> samples;
    RenderStats stats;
    bool preparedAfter;
};

Rendered Render(MemorySource& source, uint32_t block, bool mono, bool tail, int bass = 10,
                size_t sinkFailAt = SIZE_MAX) {
    ReverbEngine engine;
    engine.PutField(kTail, tail ? 1 : 0);
    engine.PutField(kBassMultiply, bass);
    engine.PutStereoOutput(mono ? 0 : 1);
    MemorySink sink(mono ? 1 : 2, sinkFailAt);
    Rendered r;
    r.status = RenderThroughEngine(engine, block, mono, source, sink, r.stats, r.error);
    r.samples = sink.samples;
    r.preparedAfter = engine.IsPrepared();
    return r;
}

}  // namespace

TEST(EngineRender, TailFollowsTheInputForTheLongerBandDecay) {
    const struct {
        uint16_t channels;
        uint32_t block;
        bool mono, tail;
        int bass;
        size_t tailFrames;
    } cases[] = {{2, 4096, false, false, 10, 0}, {2, 4096, false, true, 10, 66150}, {1, 1000, true, true, 30, 198450}};
    for (const auto& c : cases) {
        MemorySource source(c.channels, 44100, wavbytes::TestSignal(44100, c.channels, 44100));
        const Rendered r = Render(source, c.block, c.mono, c.tail, c.bass);
        ASSERT_EQ(r.status, 0) << r.error;
        const size_t out = c.mono ? 1 : 2, frames = 44100 + c.tailFrames;
        ASSERT_EQ(r.samples.size(), frames * out) << c.tail << "/" << c.bass;
        EXPECT_EQ(r.stats.FramesIn(), 44100u);
        EXPECT_EQ(r.stats.FramesOut(), frames);
        // The tail really rings after the input ended, and dies away towards its end.
        const auto energy = [&](size_t from) {
            const float* at = r.samples.data() + from * out;
            return Energy({at, at + 2000 * out});
        };
        if (!c.tail) continue;
        EXPECT_GT(energy(44100 + 5000), 1e-6);
        EXPECT_LT(energy(frames - 2000), energy(44100 + 5000) * 1e-3);
    }
}

TEST(EngineRender, FailuresStopTheRenderAndEveryEndFreesTheEngine) {
    const std::vector<float> signal = wavbytes::TestSignal(10000, 2, 44100);
    const struct {
        uint32_t rate;
        size_t sourceFailsAt, sinkFailsAt;
        const char* error;
    } cases[] = {{44100, 3000, SIZE_MAX, "source gave up"}, {44100, SIZE_MAX, 12000, "sink is full"},
                 {0xFFFFFFFFu, SIZE_MAX, SIZE_MAX, "cannot run at 4294967295 Hz"}, {44100, SIZE_MAX, SIZE_MAX, ""}};
    for (const auto& c : cases) {
        MemorySource source(2, c.rate, signal, c.sourceFailsAt);
        const Rendered r = Render(source, 1024, false, true, 10, c.sinkFailsAt);
        EXPECT_EQ(r.status != 0, *c.error != 0) << c.error;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
        EXPECT_FALSE(r.preparedAfter) << c.error;
    }
}
