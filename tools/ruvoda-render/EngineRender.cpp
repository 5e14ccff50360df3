#include "EngineRender.h"

#include <vector>

#include "ReverbEngine.h"

namespace {

WaveFormat FloatFormat(uint16_t channels, uint32_t sampleRate) {
    WaveFormat format{};
    format.formatTag = kWaveFormatIeeeFloat;
    format.channels = channels;
    format.sampleRate = sampleRate;
    format.bitsPerSample = 32;
    format.blockAlign = static_cast<uint16_t>(channels * 4);
    format.avgBytesPerSec = sampleRate * format.blockAlign;
    return format;
}

// Releases the engine's memory on every way out of a render.
class StreamingRun {
public:
    explicit StreamingRun(ReverbEngine& engine) : engine_(engine) {}
    ~StreamingRun() { engine_.ReleaseBuffers(); }
    StreamingRun(const StreamingRun&) = delete;
    StreamingRun& operator=(const StreamingRun&) = delete;

private:
    ReverbEngine& engine_;
};

}  // namespace

int RenderThroughEngine(ReverbEngine& engine, uint32_t blockFrames, bool mono,
                        FrameSource& source, FrameSink& sink, RenderStats& stats,
                        std::string& error) {
    const uint16_t inChannels = source.Channels();
    const uint16_t outChannels = mono ? 1 : 2;
    // The engine keeps pointers to both records for the whole run.
    const WaveFormat inFormat = FloatFormat(inChannels, source.SampleRate());
    const WaveFormat outFormat = FloatFormat(outChannels, source.SampleRate());
    if (engine.PrepareStreaming(&inFormat, &outFormat) != 0) {
        error = "the reverb cannot run at " + std::to_string(source.SampleRate()) +
                " Hz (rate unsupported or not enough memory)";
        return -1;
    }
    StreamingRun run(engine);
    stats.Start(source.SampleRate(), inChannels, outChannels);

    std::vector<float> in(static_cast<size_t>(blockFrames) * inChannels);
    std::vector<float> out(static_cast<size_t>(blockFrames) * outChannels);
    int mode = ReverbEngine::kModeFirst;
    // Even an empty input gets one (empty) first block, which arms the tail.
    for (bool first = true;; first = false) {
        uint32_t got = 0;
        if (source.Read(in.data(), blockFrames, &got, error) != 0) return -1;
        if (got == 0 && !first) break;
        stats.AddInput(in.data(), got);
        uint32_t done = 0;
        do {
            uint32_t inCount = got - done;
            uint32_t outCount = blockFrames;
            if (engine.ProcessBlock(mode, &in[static_cast<size_t>(done) * inChannels], &inCount,
                                    out.data(), &outCount) < 0) {
                error = "the reverb failed to process a block";
                return -1;
            }
            mode = ReverbEngine::kModeContinue;
            if (got > done && inCount == 0) {
                error = "the reverb consumed no input";
                return -1;
            }
            done += inCount;
            stats.AddOutput(out.data(), outCount);
            if (sink.Write(out.data(), outCount, error) != 0) return -1;
        } while (done < got);
    }

    if (engine.GetField(kTail) != 0) {
        for (;;) {
            uint32_t noInput = 0;
            uint32_t outCount = blockFrames;
            const int result = engine.ProcessBlock(ReverbEngine::kModeTail, nullptr, &noInput,
                                                   out.data(), &outCount);
            if (result < 0) {
                error = "the reverb failed to render its tail";
                return -1;
            }
            stats.AddOutput(out.data(), outCount);
            if (sink.Write(out.data(), outCount, error) != 0) return -1;
            if (result == 1) break;
            if (outCount == 0) {
                error = "the reverb's tail made no progress";
                return -1;
            }
        }
    }
    stats.Stop();
    return 0;
}
