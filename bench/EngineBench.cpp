// Rendering speed of ReverbEngine::ProcessBlock with the factory setting, in frames per
// second and as a multiple of real time, for common rates, both channel layouts and two
// block sizes; the same for the frame-by-frame reference network of the engine tests, in
// the same run, and for the engine with every send at 0 dB.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "ReferenceEngine.h"
#include "ReverbEngine.h"

namespace {

WaveFormat Format(uint32_t rate, uint16_t channels) {
    WaveFormat f{};
    f.formatTag = kWaveFormatIeeeFloat;
    f.channels = channels;
    f.sampleRate = rate;
    f.blockAlign = uint16_t(4 * channels);
    f.avgBytesPerSec = rate * f.blockAlign;
    f.bitsPerSample = 32;
    return f;
}

// Arguments: sample rate, input channels, block frames, output channels, every send at 0 dB
// (0 or 1).
template <class Engine>
void Render(benchmark::State& state) {
    const uint32_t rate = uint32_t(state.range(0));
    const uint16_t channels = uint16_t(state.range(1));
    const uint32_t blockFrames = uint32_t(state.range(2));
    const WaveFormat format = Format(rate, channels);
    const WaveFormat output = Format(rate, uint16_t(state.range(3)));
    Engine engine;
    if (state.range(4) != 0) {
        engine.PutField(kEarlyLevel, 0);
        engine.PutField(kReverbLevel, 0);
    }
    if (engine.PrepareStreaming(&format, &output) != 0) {
        state.SkipWithError("PrepareStreaming failed");
        return;
    }
    std::vector<float> input(size_t(blockFrames) * channels);
    uint32_t noise = 1;
    for (float& s : input) {
        noise = noise * 1664525u + 1013904223u;
        s = float(noise >> 8) / float(1u << 24) - 0.5f;
    }
    std::vector<float> out(size_t(blockFrames) * output.channels);
    int mode = ReverbEngine::kModeFirst;
    for (auto _ : state) {
        uint32_t frames = blockFrames, capacity = blockFrames;
        engine.ProcessBlock(mode, input.data(), &frames, out.data(), &capacity);
        benchmark::DoNotOptimize(out.data());
        mode = ReverbEngine::kModeContinue;
    }
    const double frames = double(state.iterations()) * blockFrames;
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["realtime_factor"] = benchmark::Counter(frames / rate, benchmark::Counter::kIsRate);
    state.counters["time_per_frame"] =
        benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void Settings(benchmark::internal::Benchmark* b) {
    b->ArgNames({"rate", "in", "block", "out", "sends"});
    for (int64_t block : {4096, 64}) {
        b->Args({44100, 2, block, 2, 0});
        b->Args({44100, 1, block, 2, 0});
        b->Args({44100, 1, block, 1, 0});
        b->Args({96000, 2, block, 2, 0});
        b->Args({44100, 2, block, 2, 1});
    }
    for (int64_t block : {1, 3, 7, 16, 32, 256, 1024}) b->Args({44100, 2, block, 2, 0});
    b->Unit(benchmark::kMicrosecond);
}

BENCHMARK_TEMPLATE(Render, ReverbEngine)->Name("Engine")->Apply(Settings);
BENCHMARK_TEMPLATE(Render, ReferenceEngine)->Name("FrameByFrame")->Apply(Settings);

}  // namespace

BENCHMARK_MAIN();
