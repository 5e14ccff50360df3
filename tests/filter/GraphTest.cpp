// The registered filter in a real graph of the platform's filters, run without a clock:
// what comes out is what the engine renders from the file's samples.
#include <gtest/gtest.h>

#include <cmath>

#include "FilterHarness.h"
#include "RegisteredServer.h"
#include "SampleConversion.h"
#include "TestGraph.h"
#include "WavBytes.h"
#include "qvRuvodaR3.h"

using Microsoft::WRL::ComPtr;

namespace {

class Graph : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0u, RunRegsvr32(false));
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_RuvodaR3, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                         reinterpret_cast<void**>(filter.GetAddressOf())));
        ASSERT_EQ(S_OK, filter.As(&control));
    }

    // Plays the WAVE file made of `bytes` through the filter into `collector`.
    void Play(const std::string& bytes, GraphCollector& collector) {
        TempFile file(bytes);
        ASSERT_TRUE(file.Written());
        TestGraph graph;
        graph.collector = &collector;
        std::string error;
        ASSERT_EQ(S_OK, graph.Build(file.Path(), filter.Get(), error)) << error;
        long code = 0;
        EXPECT_EQ(S_OK, graph.RunToCompletion(&code)) << "event " << code;
        EXPECT_EQ(S_OK, graph.Stop());
        EXPECT_FALSE(collector.Failed()) << collector.Error();
        control->GetAllParams(&params);
    }

    ComPtr<IBaseFilter> filter;
    ComPtr<IReverbControl> control;
    ReverbParams params = {};
};

// Integer WAV files of every layout the filter takes, loud enough to saturate: the output
// equals the engine's own render of the same samples within one step of the format.
struct IntegerCase {
    uint16_t channels, bits;
    bool extensible;
    uint32_t rate;
};

class IntegerGraph : public Graph, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerGraph, WavComesOutAsTheEngineRendersIt) {
    const IntegerCase c = GetParam();
    const PcmLayout layout = {uint16_t(c.bits / 8), c.bits};
    std::vector<float> signal = wavbytes::TestSignal(15000, c.channels, c.rate);
    std::string data(signal.size() * layout.containerBytes, '\0');
    FloatToPcm(signal.data(), layout, reinterpret_cast<uint8_t*>(&data[0]), signal.size());
    PcmToFloat(reinterpret_cast<const uint8_t*>(data.data()), layout, signal.data(), signal.size());
    control->put_InputGain(GetParamInfo(kInputGain).maximum);
    control->put_DryLevel(GetParamInfo(kDryLevel).maximum);
    GraphCollector collector(2, c.bits, false);
    Play(c.extensible ? wavbytes::Riff(wavbytes::ExtensibleFormatChunk(1, c.channels, c.rate, c.bits) +
                                       wavbytes::Chunk("data", data))
                      : wavbytes::Wav(1, c.channels, c.rate, c.bits, data),
         collector);

    std::vector<float> expected = ReferenceRender(params, EngineFormat(1, c.channels, c.rate, c.bits),
                                                  EngineFormat(1, 2, c.rate, c.bits), signal);
    // As the filter delivers them: at the steps of the format, saturated.
    std::vector<uint8_t> expectedBytes(expected.size() * layout.containerBytes);
    FloatToPcm(expected.data(), layout, expectedBytes.data(), expected.size());
    PcmToFloat(expectedBytes.data(), layout, expected.data(), expected.size());
    const float step = std::ldexp(1.0f, 1 - layout.validBits);
    ExpectSameSamples(expected, collector.values, step);
    size_t saturated = 0;
    for (float v : collector.values) saturated += v >= 1.0f - step || v <= -1.0f;
    EXPECT_GT(saturated, 0u);
}

INSTANTIATE_TEST_SUITE_P(Layouts, IntegerGraph,
                         ::testing::Values(IntegerCase{1, 16, false, 32000}, IntegerCase{2, 24, false, 44100},
                                           IntegerCase{1, 24, true, 48000}, IntegerCase{1, 32, false, 22050},
                                           IntegerCase{2, 32, true, 48000}),
                         [](const ::testing::TestParamInfo<IntegerCase>& info) {
                             const IntegerCase& c = info.param;
                             return std::to_string(c.channels) + "x" + std::to_string(c.bits) +
                                    (c.extensible ? "Extensible" : "") + "At" + std::to_string(c.rate);
                         });

TEST_F(Graph, SwitchToMonoOutputWhilePlayingReachesTheRenderer) {
    constexpr uint32_t kFrames = 40000;
    const std::vector<float> input = wavbytes::TestSignal(kFrames, 2, 44100);
    GraphCollector collector(1, 32, true);  // stereo frames read as two mono ones
    collector.context = control.Get();
    collector.afterFirstSample = [](void* c) { static_cast<IReverbControl*>(c)->put_StereoOutput(0); };
    Play(wavbytes::Wav(3, 2, 44100, 32, wavbytes::FloatData(input)), collector);

    // Connected in stereo with nothing announced, then mono announced once.
    ASSERT_GT(collector.typeChangedAt, 0u);
    EXPECT_EQ(1, collector.typeChannels);
    // Every input frame arrives once, in the layout current when it was rendered.
    const size_t stereoFrames = collector.typeChangedAt / 2;
    const size_t monoFrames = collector.values.size() - collector.typeChangedAt;
    EXPECT_EQ(kFrames, stereoFrames + monoFrames);
    ASSERT_GT(monoFrames, 0u);
    // The mono part is the network restarted in mono at the switch.
    std::vector<float> expected =
        ReferenceRender(params, EngineFormat(3, 2, 44100, 32), EngineFormat(3, 1, 44100, 32),
                        std::vector<float>(input.begin() + 2 * stereoFrames, input.end()));
    expected.resize(monoFrames);
    ExpectSameSamples(expected, std::vector<float>(collector.values.begin() + collector.typeChangedAt,
                                                   collector.values.end()));
}

}  // namespace
