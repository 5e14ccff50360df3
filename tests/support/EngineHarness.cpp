#include "EngineHarness.h"

#include <gtest/gtest.h>

WaveFormat FloatFormat(uint32_t rate, int channels) {
    WaveFormat f{};
    f.formatTag = kWaveFormatIeeeFloat;
    f.channels = uint16_t(channels);
    f.sampleRate = rate;
    f.blockAlign = uint16_t(4 * channels);
    f.avgBytesPerSec = rate * f.blockAlign;
    f.bitsPerSample = 32;
    return f;
}

EngineHarness::EngineHarness(uint32_t rate, int inChannels, int outChannels,
                             std::unique_ptr<ReverbEngine> engine)
    : in(FloatFormat(rate, inChannels)),
      out(FloatFormat(rate, outChannels)),
      owned(engine != nullptr ? std::move(engine) : std::make_unique<ReverbEngine>()),
      engine(*owned) {}

int EngineHarness::Prepare(std::initializer_list<std::pair<int, int32_t>> settings) {
    for (auto [field, value] : settings) Put(field, value);
    return engine.PrepareStreaming(&in, &out);
}

std::vector<float> EngineHarness::Render(const std::vector<float>& input, uint32_t block, bool first) {
    const uint32_t frames = uint32_t(input.size() / in.channels);
    std::vector<float> result(size_t(frames) * out.channels);
    for (uint32_t done = 0; done < frames;) {
        uint32_t offered = std::min(block, frames - done);
        uint32_t capacity = offered;
        const int mode = first && done == 0 ? ReverbEngine::kModeFirst : ReverbEngine::kModeContinue;
        const int rc = engine.ProcessBlock(mode, input.data() + size_t(done) * in.channels, &offered,
                                           result.data() + size_t(done) * out.channels, &capacity);
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(offered, capacity);
        if (rc != 0 || capacity == 0) break;
        done += capacity;
    }
    return result;
}
