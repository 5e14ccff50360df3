// Rendering speed of ReverbEngine::ProcessBlock with the factory setting, in frames per
// second and as a multiple of real time, for common rates and both channel layouts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "ReverbEngine.h"

namespace {

constexpr uint32_t kBlockFrames = 4096;

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

// Arguments: sample rate, channel count (the same on input and output).
void ProcessBlock(benchmark::State& state) {
    const uint32_t rate = uint32_t(state.range(0));
    const uint16_t channels = uint16_t(state.range(1));
    const WaveFormat format = Format(rate, channels);
    ReverbEngine engine;
    if (engine.PrepareStreaming(&format, &format) != 0) {
        state.SkipWithError("PrepareStreaming failed");
        return;
    }
    std::vector<float> input(size_t(kBlockFrames) * channels);
    uint32_t noise = 1;
    for (float& s : input) {
        noise = noise * 1664525u + 1013904223u;
        s = float(noise >> 8) / float(1u << 24) - 0.5f;
    }
    std::vector<float> output(input.size());
    int mode = ReverbEngine::kModeFirst;
    for (auto _ : state) {
        uint32_t frames = kBlockFrames, capacity = kBlockFrames;
        engine.ProcessBlock(mode, input.data(), &frames, output.data(), &capacity);
        benchmark::DoNotOptimize(output.data());
        mode = ReverbEngine::kModeContinue;
    }
    const double frames = double(state.iterations()) * kBlockFrames;
    state.counters["frames_per_second"] = benchmark::Counter(frames, benchmark::Counter::kIsRate);
    state.counters["realtime_factor"] = benchmark::Counter(frames / rate, benchmark::Counter::kIsRate);
}

BENCHMARK(ProcessBlock)
    ->ArgNames({"rate", "channels"})
    ->ArgsProduct({{44100, 48000, 96000}, {2, 1}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
