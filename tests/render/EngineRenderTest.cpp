#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "EngineRender.h"
#include "ReverbEngine.h"
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
    const std::vector<float> signal = wavbytes::TestSignal(44100, 2, 44100);
    MemorySource plain(2, 44100, signal);
    const Rendered none = Render(plain, 4096, false, false);
    ASSERT_EQ(none.status, 0) << none.error;
    EXPECT_EQ(none.samples.size(), 44100u * 2);

    MemorySource tailed(2, 44100, signal);
    const Rendered tail = Render(tailed, 4096, false, true);
    ASSERT_EQ(tail.status, 0) << tail.error;
    ASSERT_EQ(tail.samples.size(), (44100u + 66150u) * 2);
    EXPECT_EQ(tail.stats.FramesIn(), 44100u);
    EXPECT_EQ(tail.stats.FramesOut(), 44100u + 66150u);
    // The tail really rings after the input ended, and dies away towards its end.
    auto energy = [&tail](size_t firstFrame) {
        double sum = 0.0;
        for (size_t i = firstFrame * 2; i < (firstFrame + 2000) * 2; ++i) sum += tail.samples[i] * tail.samples[i];
        return sum;
    };
    EXPECT_GT(energy(44100 + 5000), 1e-6);
    EXPECT_LT(energy(44100 + 64000), energy(44100 + 5000) * 1e-3);

    MemorySource bass(1, 44100, wavbytes::TestSignal(44100, 1, 44100));
    const Rendered longBass = Render(bass, 1000, true, true, 30);
    ASSERT_EQ(longBass.status, 0) << longBass.error;
    EXPECT_EQ(longBass.samples.size(), 44100u + 198450u);
}

TEST(EngineRender, OutputDoesNotDependOnTheBlockSize) {
    const std::vector<float> signal = wavbytes::TestSignal(5000, 2, 22050);
    MemorySource reference(2, 22050, signal);
    const Rendered whole = Render(reference, 4096, false, true);
    ASSERT_EQ(whole.status, 0);
    for (uint32_t block : {1u, 13u, 5000u, 65536u}) {
        MemorySource source(2, 22050, signal);
        const Rendered r = Render(source, block, false, true);
        ASSERT_EQ(r.status, 0) << block;
        EXPECT_EQ(r.samples, whole.samples) << "block " << block;
    }
}

TEST(EngineRender, FailuresOnEitherSideStopTheRenderAndFreeTheEngine) {
    const std::vector<float> signal = wavbytes::TestSignal(10000, 2, 44100);
    MemorySource failingSource(2, 44100, signal, 3000);
    const Rendered badSource = Render(failingSource, 1024, false, true);
    EXPECT_NE(badSource.status, 0);
    EXPECT_EQ(badSource.error, "source gave up");
    EXPECT_FALSE(badSource.preparedAfter);

    MemorySource source(2, 44100, signal);
    const Rendered badSink = Render(source, 1024, false, true, 10, 12000);
    EXPECT_NE(badSink.status, 0);
    EXPECT_EQ(badSink.error, "sink is full");
    EXPECT_FALSE(badSink.preparedAfter);

    MemorySource fine(2, 44100, signal);
    EXPECT_FALSE(Render(fine, 1024, false, false).preparedAfter);
}

TEST(EngineRender, RefusesARateTheEngineCannotRun) {
    MemorySource source(2, 0xFFFFFFFFu, std::vector<float>(20, 0.0f));
    const Rendered r = Render(source, 16, false, false);
    EXPECT_NE(r.status, 0);
    EXPECT_NE(r.error.find("cannot run at 4294967295 Hz"), std::string::npos) << r.error;
    EXPECT_TRUE(r.samples.empty());
}
