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

// Integer WAV files of the layouts the renderer's graph cases leave out, loud enough to
// saturate: the output equals the engine's own render of the same samples within one step
// of the format.
struct IntegerCase {
    uint16_t channels, bits;
    bool extensible;
    uint32_t rate;
};

class IntegerGraph : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerGraph, WavComesOutAsTheEngineRendersIt) {
    const IntegerCase c = GetParam();
    ASSERT_EQ(0u, RunRegsvr32(false));
    ComPtr<IBaseFilter> filter;
    ComPtr<IReverbControl> control;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_RuvodaR3, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                     reinterpret_cast<void**>(filter.GetAddressOf())));
    ASSERT_EQ(S_OK, filter.As(&control));
    control->put_InputGain(GetParamInfo(kInputGain).maximum);
    control->put_DryLevel(GetParamInfo(kDryLevel).maximum);

    const PcmLayout layout = {uint16_t(c.bits / 8), c.bits};
    std::vector<float> signal = wavbytes::TestSignal(15000, c.channels, c.rate);
    std::string data(signal.size() * layout.containerBytes, '\0');
    FloatToPcm(signal.data(), layout, reinterpret_cast<uint8_t*>(&data[0]), signal.size());
    PcmToFloat(reinterpret_cast<const uint8_t*>(data.data()), layout, signal.data(), signal.size());
    TempFile file(c.extensible ? wavbytes::Riff(wavbytes::ExtensibleFormatChunk(1, c.channels, c.rate, c.bits) +
                                                wavbytes::Chunk("data", data))
                               : wavbytes::Wav(1, c.channels, c.rate, c.bits, data));
    ASSERT_TRUE(file.Written());
    GraphCollector collector(2, c.bits, false);
    TestGraph graph;
    graph.collector = &collector;
    std::string error;
    ASSERT_EQ(S_OK, graph.Build(file.Path(), filter.Get(), error)) << error;
    long code = 0;
    EXPECT_EQ(S_OK, graph.RunToCompletion(&code)) << "event " << code;
    EXPECT_EQ(S_OK, graph.Stop());
    EXPECT_FALSE(collector.Failed()) << collector.Error();

    ReverbParams params = {};
    control->GetAllParams(&params);
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
                         ::testing::Values(IntegerCase{2, 24, false, 44100}, IntegerCase{1, 32, false, 22050},
                                           IntegerCase{2, 32, true, 48000}),
                         [](const ::testing::TestParamInfo<IntegerCase>& info) {
                             const IntegerCase& c = info.param;
                             return std::to_string(c.channels) + "x" + std::to_string(c.bits) +
                                    (c.extensible ? "Extensible" : "") + "At" + std::to_string(c.rate);
                         });

}  // namespace
