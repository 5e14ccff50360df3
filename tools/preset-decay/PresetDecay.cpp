#include "PresetDecay.h"

#include <algorithm>
#include <vector>

#include "DecayTime.h"
#include "EngineRender.h"
#include "FrameStream.h"
#include "PresetText.h"
#include "RenderOptions.h"
#include "RenderSettings.h"
#include "ReverbEngine.h"

namespace {
// One stereo frame at full scale, then silence up to `length` frames in all.
class ImpulseSource : public FrameSource {
public:
    ImpulseSource(uint32_t rate, uint64_t length) : rate_(rate), left_(length) {}
    uint16_t Channels() const override { return 2; }
    uint32_t SampleRate() const override { return rate_; }
    int Read(float* frames, uint32_t maxFrames, uint32_t* framesRead, std::string&) override {
        const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(maxFrames, left_));
        std::fill(frames, frames + 2 * static_cast<size_t>(n), 0.0f);
        if (n > 0 && !sent_) {
            frames[0] = frames[1] = 1.0f;
            sent_ = true;
        }
        left_ -= n;
        *framesRead = n;
        return 0;
    }

private:
    uint32_t rate_;
    uint64_t left_;
    bool sent_ = false;
};

// Long enough for the slower band to fall well past the fitting range, even where the
// network rings longer than its setting.
uint64_t ResponseLength(const RenderOptions& options, uint32_t rate) {
    const int32_t decay = options.presetValues[8];
    const int32_t bass = options.presetValues[6];
    const double seconds = 3.0 * std::max(decay, decay * bass / 10) / 10.0 + 1.0;
    return static_cast<uint64_t>(seconds * rate);
}

// Keeps the energy of each stereo output frame.
class EnergySink : public FrameSink {
public:
    int Write(const float* frames, uint32_t count, std::string&) override {
        for (uint32_t i = 0; i < count; ++i) {
            const double left = frames[2 * i], right = frames[2 * i + 1];
            energy.push_back(left * left + right * right);
        }
        return 0;
    }
    std::vector<double> energy;
};
}  // namespace

double MeasurePresetDecay(const std::string& presetText, int presetVersion, uint32_t sampleRate,
                          std::string& error) {
    RenderOptions options;
    if (ParsePresetText(presetText.c_str(), options.presetValues) != kPresetTextValues) {
        error = "the preset text does not hold 18 numbers";
        return -1.0;
    }
    for (int i = 0; i < kPresetTextValues; ++i) {
        options.presetValues[i] =
            PresetTextValueForVersion(i, options.presetValues[i], presetVersion);
    }
    options.hasPresetValues = true;
    // The direct sound would dominate the start of the decay curve.
    options.fieldSets.push_back({kDryMute, 1});

    ReverbEngine engine;
    ApplyRenderOptions(options, engine);
    ImpulseSource source(sampleRate, ResponseLength(options, sampleRate));
    EnergySink sink;
    RenderStats stats;
    if (RenderThroughEngine(engine, options.blockFrames, false, source, sink, stats, error) != 0) {
        return -1.0;
    }
    const double seconds = DecayTimeT20(sink.energy, sampleRate);
    if (seconds < 0.0) error = "the response never falls 25 dB";
    return seconds;
}
