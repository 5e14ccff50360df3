#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "EngineRender.h"
#include "ReverbEngine.h"
#include "Signals.h"
#include "WavBytes.h"

namespace {

// Frames from memory; fails once `failAt` frames have been handed out.
struct MemorySource : FrameSource {
    uint16_t channels;
    uint32_t rate;
    std::vector<float> samples;
    size_t failAt = SIZE_MAX, next = 0;
    MemorySource(uint16_t c, uint32_t r, std::vector<float> s) : channels(c), rate(r), samples(std::move(s)) {}
    uint16_t Channels() const override { return channels; }
    uint32_t SampleRate() const override { return rate; }
    int Read(float* frames, uint32_t maxFrames, uint32_t* framesRead, std::string& error) override {
        if (next >= failAt) return error = "source gave up", -1;
        *framesRead = uint32_t(std::min<size_t>(maxFrames, samples.size() / channels - next));
        std::copy_n(samples.data() + next * channels, *framesRead * channels, frames);
        next += *framesRead;
        return 0;
    }
};

// Collects frames; fails on the write that would pass `failAt` frames.
struct MemorySink : FrameSink {
    size_t channels, failAt = SIZE_MAX;
    std::vector<float> samples;
    explicit MemorySink(size_t c) : channels(c) {}
    int Write(const float* frames, uint32_t count, std::string& error) override {
        if (samples.size() / channels + count > failAt) return error = "sink is full", -1;
        samples.insert(samples.end(), frames, frames + count * channels);
        return 0;
    }
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
    MemorySink sink(mono ? 1 : 2);
    sink.failAt = sinkFailAt;
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
        uint32_t inFrames;
    } cases[] = {{2, 4096, false, false, 10, 0, 44100}, {2, 4096, false, true, 10, 66150, 44100},
                 {1, 1000, true, true, 30, 198450, 44100}, {2, 4096, false, true, 10, 66150, 0}};
    for (const auto& c : cases) {
        MemorySource source(c.channels, 44100, wavbytes::TestSignal(c.inFrames, c.channels, 44100));
        const Rendered r = Render(source, c.block, c.mono, c.tail, c.bass);
        ASSERT_EQ(r.status, 0) << r.error;
        const size_t out = c.mono ? 1 : 2, frames = c.inFrames + c.tailFrames;
        ASSERT_EQ(r.samples.size(), frames * out) << c.tail << "/" << c.bass;
        EXPECT_EQ(r.stats.FramesIn(), c.inFrames);
        EXPECT_EQ(r.stats.FramesOut(), frames);
        // The tail really rings after the input ended, and dies away towards its end.
        const float* at = r.samples.data();
        const auto energy = [&](size_t from) { return Energy({at + from * out, at + (from + 2000) * out}); };
        if (!c.tail || c.inFrames == 0) continue;  // no tail, or a silent one after silence
        EXPECT_GT(energy(44100 + 5000), 1e-6);
        EXPECT_LT(energy(frames - 2000), energy(44100 + 5000) * 1e-3);
    }
}

TEST(EngineRender, FailuresStopTheRenderAndEveryEndFreesTheEngine) {
    const struct {
        uint32_t rate;
        size_t sourceFailsAt, sinkFailsAt;
        const char* error;
    } cases[] = {{44100, 3000, SIZE_MAX, "source gave up"}, {44100, SIZE_MAX, 12000, "sink is full"},
                 {0xFFFFFFFFu, SIZE_MAX, SIZE_MAX, "cannot run at 4294967295 Hz"}, {44100, SIZE_MAX, SIZE_MAX, ""}};
    for (const auto& c : cases) {
        MemorySource source(2, c.rate, wavbytes::TestSignal(10000, 2, 44100));
        source.failAt = c.sourceFailsAt;
        const Rendered r = Render(source, 1024, false, true, 10, c.sinkFailsAt);
        EXPECT_EQ(r.status != 0, *c.error != 0) << c.error;
        EXPECT_NE(r.error.find(c.error), std::string::npos) << r.error;
        EXPECT_FALSE(r.preparedAfter) << c.error;
    }
}
