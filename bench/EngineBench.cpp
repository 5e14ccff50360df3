// Rendering speed of ReverbEngine::ProcessBlock with the factory setting, in frames per
// second and as a multiple of real time, for common rates, both channel layouts and two
// block sizes; the same for the frame-by-frame reference network of the engine tests, in
// the same run, and for the engine with every send at 0 dB; the engine also with its
// baseline kernels where it would choose AVX2 ones. Besides: blocks of 44.1 kHz
// stereo over a range of sizes (the plot), blocks that each follow a parameter change or a
// room-size change, and the memory and preparation time of one instance per rate.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "KernelSet.h"
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
// (0 or 1), and the field changed before every block (-1: none).
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
    // Before each block, the changed field (or none) toggles between two values.
    const int changed = int(state.range(5));
    const int32_t value[2] = {changed >= 0 ? engine.GetField(changed) : 0,
                              changed >= 0 ? engine.GetField(changed) + 1 : 0};
    size_t block = 0;
    for (auto _ : state) {
        if (changed >= 0) engine.PutField(changed, value[++block & 1]);
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

constexpr int64_t kNoChange = -1;

// The layouts, rates and sends of the goals, in blocks of 4096 and of 64.
void GoalSettings(benchmark::internal::Benchmark* b) {
    b->ArgNames({"rate", "in", "block", "out", "sends", "change"});
    for (int64_t block : {4096, 64}) {
        b->Args({44100, 2, block, 2, 0, kNoChange});
        b->Args({44100, 1, block, 2, 0, kNoChange});
        b->Args({44100, 1, block, 1, 0, kNoChange});
        b->Args({96000, 2, block, 2, 0, kNoChange});
        b->Args({44100, 2, block, 2, 1, kNoChange});
    }
    b->Unit(benchmark::kMicrosecond);
}

void Settings(benchmark::internal::Benchmark* b) {
    GoalSettings(b);
    for (int64_t block : {1, 3, 7, 16, 32, 128, 256, 512, 1024, 2048})
        b->Args({44100, 2, block, 2, 0, kNoChange});
    // A slider drag recomputes the coefficients for every block; a room-size change also
    // clears the network.
    for (int64_t block : {4096, 64})
        for (int64_t field : {kDecayTime, kRoomSize}) b->Args({44100, 2, block, 2, 0, field});
}

// The engine with the baseline kernels where the processor would run the AVX2 ones.
void RenderBaseline(benchmark::State& state) {
    const kernels::KernelSet& chosen = kernels::CurrentKernels();
    kernels::UseKernels(kernels::kBaseline);
    Render<ReverbEngine>(state);
    kernels::UseKernels(chosen);
}

BENCHMARK_TEMPLATE(Render, ReverbEngine)->Name("Engine")->Apply(Settings);
BENCHMARK(RenderBaseline)->Name("EngineBaseline")->Apply(GoalSettings);
BENCHMARK_TEMPLATE(Render, ReferenceEngine)->Name("FrameByFrame")->Apply(Settings);

// The engine counting the delay memory it asks for.
class CountingEngine : public ReverbEngine {
public:
    ~CountingEngine() override { ReleaseBuffers(); }
    size_t bytes = 0;

protected:
    float* AllocateFloats(size_t count) override {
        bytes += count * sizeof(float);
        return ReverbEngine::AllocateFloats(count);
    }
};

// Memory of one streaming instance (the object and its delay lines) at a rate, and the time
// to allocate and clear it when streaming starts and free it when it stops.
void Prepare(benchmark::State& state) {
    const WaveFormat format = Format(uint32_t(state.range(0)), 2);
    CountingEngine engine;
    for (auto _ : state) {
        engine.bytes = 0;
        if (engine.PrepareStreaming(&format, &format) != 0) {
            state.SkipWithError("PrepareStreaming failed");
            return;
        }
        engine.ReleaseBuffers();
    }
    state.counters["bytes_per_instance"] = double(engine.bytes + sizeof(CountingEngine));
}

BENCHMARK(Prepare)->ArgName("rate")->Arg(44100)->Arg(96000)->Arg(192000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
