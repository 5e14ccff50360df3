// Streaming through the filter between stand-in pins, compared with the engine run directly.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "FilterHarness.h"
#include "SampleConversion.h"
#include "TransformOutputPin.h"

namespace {

constexpr uint32_t kRate = 44100;

ReverbParams CurrentParams(IReverbControl* control) {
    ReverbParams params;
    control->GetAllParams(&params);
    return params;
}

void ExpectSameSamples(const std::vector<float>& expected, const std::vector<float>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(expected[i], actual[i], 1e-6f) << "sample " << i;
}

}  // namespace

TEST(Streaming, LargeInputLeavesAsOutputBuffersWithTimesOnlyOnTheFirst) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 1024 * 8, 4096 * 8));
    std::vector<float> input = TestSignal(4096 * 2, 1);
    REFERENCE_TIME start = 10000000, stop = start + 4096 * 10000000LL / kRate;
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 4096 * 8, &start, &stop));

    ASSERT_EQ(4u, h.sink.samples.size());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(1024u * 8, h.sink.samples[i].data.size());
        EXPECT_EQ(i == 0, h.sink.samples[i].timed) << "sample " << i;
    }
    EXPECT_EQ(start, h.sink.samples[0].start);
    EXPECT_EQ(stop, h.sink.samples[0].stop);

    const WaveFormat format = MakeWaveFormat(3, 2, kRate, 32);
    std::vector<float> expected = ReferenceRender(CurrentParams(h.control), format, format, input);
    expected.resize(input.size());  // no tail: Tail is off by default
    ExpectSameSamples(expected, h.sink.Floats());
}

TEST(Streaming, TailPlaysOutAtEndOfStreamEvenWhenTheSourceFlagsNoDiscontinuity) {
    FilterHarness h;
    h.control->put_Tail(1);
    h.control->put_DecayTime(15);
    h.control->put_BassMultiply(10);
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 4096, 8000));
    std::vector<float> input = TestSignal(1000 * 2, 2);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 1000 * 8));
    ASSERT_EQ(S_OK, h.source.SendEndOfStream());

    EXPECT_EQ(1, h.sink.endOfStreams);
    std::vector<float> output = h.sink.Floats();
    EXPECT_EQ((1000u + 66150u) * 2, output.size());
    const WaveFormat format = MakeWaveFormat(3, 2, kRate, 32);
    ExpectSameSamples(ReferenceRender(CurrentParams(h.control), format, format, input), output);
}

TEST(Streaming, WithTailOffEndOfStreamFollowsTheLastSampleAtOnce) {
    FilterHarness h;
    AudioType mono(WAVE_FORMAT_IEEE_FLOAT, 1, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(mono.mt, 4096, 4096));
    std::vector<float> input = TestSignal(500, 3);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 500 * 4));
    ASSERT_EQ(S_OK, h.source.SendEndOfStream());
    EXPECT_EQ(1, h.sink.endOfStreams);
    EXPECT_EQ(500u * 2, h.sink.Floats().size());  // mono in, stereo out
}

// A stream that starts again (new segment, or after a flush) arms the tail again even when
// the source does not say so; an unbroken stream does not.
class RestartTest : public ::testing::TestWithParam<int> {};

TEST_P(RestartTest, TailIsArmedOnlyByTheFirstSampleOfARun) {
    FilterHarness h;
    AudioType mono(WAVE_FORMAT_IEEE_FLOAT, 1, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(mono.mt, 4096, 4096));
    std::vector<float> input = TestSignal(256, 4);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 256 * 4));
    h.control->put_Tail(1);
    h.control->put_DecayTime(1);
    h.control->put_BassMultiply(10);
    IPin* pin = h.filter->InputPin();
    if (GetParam() == 1) {
        ASSERT_EQ(S_OK, pin->NewSegment(0, 10000000, 1.0));
    } else if (GetParam() == 2) {
        ASSERT_EQ(S_OK, pin->BeginFlush());
        ASSERT_EQ(S_OK, pin->EndFlush());
    }
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 256 * 4));
    ASSERT_EQ(S_OK, h.source.SendEndOfStream());
    const size_t tail = GetParam() == 0 ? 0 : kRate * 1 / 10;
    EXPECT_EQ((512 + tail) * 2, h.sink.Floats().size());
}

INSTANTIATE_TEST_SUITE_P(Streaming, RestartTest, ::testing::Values(0, 1, 2));

TEST(Streaming, SixteenBitStreamComesOutProcessed) {
    FilterHarness h;
    h.control->put_Tail(1);
    h.control->put_DecayTime(2);
    AudioType mono(WAVE_FORMAT_PCM, 1, 22050, 16);
    ASSERT_EQ(S_OK, h.ConnectAndPause(mono.mt, 1024, 3000 * 2));
    std::vector<float> signal = TestSignal(3000, 5);
    std::vector<int16_t> input(signal.size());
    FloatToInt16(signal.data(), input.data(), input.size());
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 3000 * 2));
    ASSERT_EQ(S_OK, h.source.SendEndOfStream());

    std::vector<float> asFloat(input.size());
    Int16ToFloat(input.data(), asFloat.data(), input.size());
    std::vector<float> reference = ReferenceRender(CurrentParams(h.control), MakeWaveFormat(1, 1, 22050, 16),
                                                   MakeWaveFormat(1, 2, 22050, 16), asFloat);
    std::vector<int16_t> expected(reference.size());
    FloatToInt16(reference.data(), expected.data(), expected.size());
    std::vector<int16_t> output = h.sink.Int16s();
    ASSERT_EQ(expected.size(), output.size());
    EXPECT_EQ(expected, output);
    // Output buffers were doubled for the stereo output: 1024-byte input buffers, 2048 out.
    EXPECT_EQ(2048u, h.sink.samples[0].data.size());
    // Processed, not copied: the wet signal differs from the dry duplicate somewhere.
    bool differs = false;
    for (size_t i = 0; i < input.size() && !differs; ++i) differs = output[2 * i] != input[i];
    EXPECT_TRUE(differs);
}

TEST(Streaming, StereoOutputChangeIsAnnouncedWithTheNextSampleAndRendered) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 4096, 4096));
    std::vector<float> input = TestSignal(512 * 2, 6);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));
    h.control->put_StereoOutput(0);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));

    ASSERT_EQ(3u, h.sink.samples.size());
    EXPECT_FALSE(h.sink.samples[0].typeAttached);
    ASSERT_TRUE(h.sink.samples[1].typeAttached);
    EXPECT_EQ(1, h.sink.samples[1].attached.nChannels);
    EXPECT_EQ(4, h.sink.samples[1].attached.nBlockAlign);
    EXPECT_FALSE(h.sink.samples[2].typeAttached);
    EXPECT_EQ(512u * 4, h.sink.samples[1].data.size());
    EXPECT_EQ(512u * 4, h.sink.samples[2].data.size());

    WAVEFORMATEX now = {};
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&now, 1));
    EXPECT_EQ(1, now.nChannels);
    AM_MEDIA_TYPE connection = {};
    ASSERT_EQ(S_OK, h.filter->OutputPin()->ConnectionMediaType(&connection));
    EXPECT_EQ(1, reinterpret_cast<WAVEFORMATEX*>(connection.pbFormat)->nChannels);
    CoTaskMemFree(connection.pbFormat);

    // The mono rendering starts afresh with the sample that announced it.
    std::vector<float> twice(input);
    twice.insert(twice.end(), input.begin(), input.end());
    const WaveFormat in = MakeWaveFormat(3, 2, kRate, 32);
    std::vector<float> expected = ReferenceRender(CurrentParams(h.control), in, MakeWaveFormat(3, 1, kRate, 32), twice);
    expected.resize(1024);
    std::vector<float> output = h.sink.Floats();
    ExpectSameSamples(expected, std::vector<float>(output.begin() + 1024, output.end()));
}

TEST(Streaming, DownstreamThatCannotFollowKeepsItsLayout) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 4096, 4096));
    h.sink.acceptTypes = false;
    h.control->put_StereoOutput(0);
    std::vector<float> input = TestSignal(512 * 2, 7);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));
    ASSERT_EQ(1u, h.sink.samples.size());
    EXPECT_FALSE(h.sink.samples[0].typeAttached);
    EXPECT_EQ(512u * 8, h.sink.samples[0].data.size());
}

TEST(Streaming, UpstreamChannelChangeRestartsTheNetworkForTheNewInput) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 8192, 8192));
    std::vector<float> input = TestSignal(1024 * 2, 9);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 1024 * 8));
    AudioType mono(WAVE_FORMAT_IEEE_FLOAT, 1, kRate, 32);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 1024 * 4, nullptr, nullptr, false, &mono.mt));

    ASSERT_EQ(2u, h.sink.samples.size());
    EXPECT_FALSE(h.sink.samples[1].typeAttached);  // the output keeps its layout and rate
    std::vector<float> monoInput(input.begin(), input.begin() + 1024);
    std::vector<float> expected = ReferenceRender(CurrentParams(h.control), MakeWaveFormat(3, 1, kRate, 32),
                                                  MakeWaveFormat(3, 2, kRate, 32), monoInput);
    expected.resize(1024 * 2);
    std::vector<float> output = h.sink.Floats();
    ExpectSameSamples(expected, std::vector<float>(output.begin() + 2048, output.end()));
}

TEST(Streaming, UpstreamRateChangeIsPassedOnDownstream) {
    FilterHarness h;
    AudioType before(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(before.mt, 8192, 8192));
    std::vector<float> input = TestSignal(1024 * 2, 10);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 1024 * 8));
    AudioType after(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 1024 * 8, nullptr, nullptr, false, &after.mt));
    ASSERT_EQ(2u, h.sink.samples.size());
    ASSERT_TRUE(h.sink.samples[1].typeAttached);
    EXPECT_EQ(48000u, h.sink.samples[1].attached.nSamplesPerSec);
    EXPECT_EQ(2, h.sink.samples[1].attached.nChannels);
    WAVEFORMATEX now = {};
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&now, 1));
    EXPECT_EQ(48000u, now.nSamplesPerSec);
    const WaveFormat format = MakeWaveFormat(3, 2, 48000, 32);
    std::vector<float> expected = ReferenceRender(CurrentParams(h.control), format, format, input);
    expected.resize(input.size());
    std::vector<float> output = h.sink.Floats();
    ExpectSameSamples(expected, std::vector<float>(output.begin() + 2048, output.end()));
}

TEST(Streaming, MalformedInputIsRefusedWithoutDelivery) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 4096, 4096));
    std::vector<uint8_t> bytes(4096, 0);
    EXPECT_EQ(E_INVALIDARG, h.source.Push(bytes.data(), 7));
    EXPECT_EQ(E_INVALIDARG, h.source.Push(bytes.data(), 4095));
    EXPECT_TRUE(h.sink.samples.empty());
    EXPECT_EQ(S_OK, h.source.Push(bytes.data(), 4096));
    EXPECT_EQ(1u, h.sink.samples.size());
}

TEST(Streaming, ParameterPutsFromAnotherThreadWhileStreaming) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, kRate, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 8192, 8192));
    std::atomic<bool> done{false};
    std::thread editor([&] {
        IReverbControl* control = h.control;
        for (int i = 0; !done; ++i) {
            control->put_RoomSize(1 + (i * 37) % 100);
            control->put_DecayTime(1 + (i * 13) % 200);
            control->put_Damping(5 + (i * 7) % 217);
            control->put_Width(i % 201);
            control->put_PreDelay(i % 251);
            ReverbParams params;
            control->GetAllParams(&params);
            float levels[4];
            control->GetPeakLevels(levels);
        }
    });
    std::vector<float> input = TestSignal(1024 * 2, 8);
    HRESULT hr = S_OK;
    for (int i = 0; i < 300 && hr == S_OK; ++i) hr = h.source.Push(input.data(), 1024 * 8);
    done = true;
    editor.join();
    EXPECT_EQ(S_OK, hr);
    std::vector<float> output = h.sink.Floats();
    ASSERT_EQ(300u * 1024 * 2, output.size());
    for (float s : output) ASSERT_TRUE(std::isfinite(s));
}

// Each layout's conversion at its edges: rounding to the valid bits, saturation, NaN, and
// the way back reading the container's sign.
TEST(SampleConversion, IntegerLayoutsRoundSaturateAndComeBack) {
    struct Row {
        PcmLayout layout;
        float in;
        std::vector<uint8_t> bytes;  // little-endian container
        float back;
    };
    const float nan = std::nanf("");
    const Row rows[] = {
        {{2, 16}, 0.5f, {0x00, 0x40}, 0.5f},
        {{2, 16}, 1.5f, {0xff, 0x7f}, 32767 / 32768.0f},
        {{2, 16}, -1.5f, {0x00, 0x80}, -1.0f},
        {{3, 24}, 1.4f / 8388608, {0x01, 0x00, 0x00}, 1 / 8388608.0f},
        {{3, 24}, -1.6f / 8388608, {0xfe, 0xff, 0xff}, -2 / 8388608.0f},
        {{3, 24}, 2.0f, {0xff, 0xff, 0x7f}, 8388607 / 8388608.0f},
        {{3, 24}, -1.0f, {0x00, 0x00, 0x80}, -1.0f},
        {{3, 24}, nan, {0x00, 0x00, 0x00}, 0.0f},
        {{4, 24}, 0.6f / 8388608, {0x00, 0x01, 0x00, 0x00}, 1 / 8388608.0f},
        {{4, 24}, 2.0f, {0x00, 0xff, 0xff, 0x7f}, 8388607 / 8388608.0f},
        {{4, 24}, -2.0f, {0x00, 0x00, 0x00, 0x80}, -1.0f},
        {{4, 32}, 0.25f, {0x00, 0x00, 0x00, 0x20}, 0.25f},
        {{4, 32}, 1.0f, {0xff, 0xff, 0xff, 0x7f}, 1.0f},  // the float nearest 2^31 - 1
        {{4, 32}, -3.0f, {0x00, 0x00, 0x00, 0x80}, -1.0f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.layout.validBits << " bits in " << row.layout.containerBytes
                                        << " bytes, " << row.in);
        std::vector<uint8_t> bytes(row.layout.containerBytes);
        FloatToPcm(&row.in, row.layout, bytes.data(), 1);
        EXPECT_EQ(row.bytes, bytes);
        float back = 0;
        PcmToFloat(row.bytes.data(), row.layout, &back, 1);
        EXPECT_EQ(row.back, back);
    }
}
