#include "PresetDecay.h"

#include <vector>

#include "DecayTime.h"
#include "EngineRender.h"
#include "FrameStream.h"
#include "PresetText.h"
#include "RenderOptions.h"
#include "RenderSettings.h"
#include "ReverbEngine.h"

namespace {
// One stereo frame at full scale, then the end of the stream.
class ImpulseSource : public FrameSource {
public:
    explicit ImpulseSource(uint32_t rate) : rate_(rate) {}
    uint16_t Channels() const override { return 2; }
    uint32_t SampleRate() const override { return rate_; }
    int Read(float* frames, uint32_t maxFrames, uint32_t* framesRead, std::string&) override {
        *framesRead = 0;
        if (!sent_ && maxFrames > 0) {
            frames[0] = frames[1] = 1.0f;
            *framesRead = 1;
            sent_ = true;
        }
        return 0;
    }

private:
    uint32_t rate_;
    bool sent_ = false;
};

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
    options.tail = true;

    ReverbEngine engine;
    ApplyRenderOptions(options, engine);
    ImpulseSource source(sampleRate);
    EnergySink sink;
    RenderStats stats;
    if (RenderThroughEngine(engine, options.blockFrames, false, source, sink, stats, error) != 0) {
        return -1.0;
    }
    const double seconds = DecayTimeT20(sink.energy, sampleRate);
    if (seconds < 0.0) error = "the response never falls 25 dB";
    return seconds;
}
