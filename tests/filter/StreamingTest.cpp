// Streaming through the filter between stand-in pins, compared with the engine run directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>
#include <thread>
#include <vector>

#include "FilterHarness.h"
#include "SampleConversion.h"
#include "WavBytes.h"

namespace {

constexpr uint32_t kRate = 44100;

std::vector<float> Signal(uint32_t frames, int channels) { return wavbytes::TestSignal(frames, channels, kRate); }

std::vector<float> After(const std::vector<float>& values, size_t skip) {
    return std::vector<float>(values.begin() + std::min(skip, values.size()), values.end());
}

// Sizes that are not whole frames are refused and deliver nothing.
TEST(Streaming, LargeInputLeavesAsOutputBuffersWithTimesOnlyOnTheFirstAndBrokenFramesNothing) {
    FilterHarness h;
    ASSERT_EQ(S_OK, h.ConnectAndPause(WaveType(3, 2, kRate, 32), 1024 * 8, 4096 * 8));
    std::vector<float> input = Signal(4096, 2);
    for (long broken : {7L, 4095L}) EXPECT_EQ(E_INVALIDARG, h.source.Push(input.data(), broken));
    REFERENCE_TIME start = 10000000, stop = start + 4096 * 10000000LL / kRate;
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 4096 * 8, &start, &stop));
    ASSERT_EQ(4u, h.sink.samples.size());
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(1024u * 8, h.sink.samples[i].data.size());
        EXPECT_EQ(i == 0, h.sink.samples[i].timed) << "sample " << i;
    }
    EXPECT_EQ(start, h.sink.samples[0].start);
    EXPECT_EQ(stop, h.sink.samples[0].stop);
    const WaveFormat format = EngineFormat(3, 2, kRate, 32);
    std::vector<float> expected = ReferenceRender(h.Params(), format, format, input);
    expected.resize(input.size());  // no tail: Tail is off by default
    ExpectSameSamples(expected, h.sink.Floats());
}

// End of stream plays the tail only when Tail is on, and only a stream that started again
// arms it: the first sample after connecting, or after a new segment or a flush, even when
// the source flags no discontinuity. An unbroken stream does not.
TEST(Streaming, EndOfStreamPlaysTheTailOfARunOnlyWhenTailIsOn) {
    enum Tail { kOff, kOn, kOnAfterFirstSample };
    enum Restart { kNone, kNewSegment, kFlush };
    const struct Row {
        Tail tail;
        Restart restart;
        size_t tailFrames;
    } rows[] = {{kOn, kNone, kRate / 10},          {kOff, kNone, 0},
                {kOnAfterFirstSample, kNone, 0},   {kOnAfterFirstSample, kNewSegment, kRate / 10},
                {kOnAfterFirstSample, kFlush, kRate / 10}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "tail " << row.tail << ", restart " << row.restart);
        FilterHarness h;
        h.control->put_Tail(row.tail == kOn);
        h.control->put_DecayTime(1);
        h.control->put_BassMultiply(10);
        ASSERT_EQ(S_OK, h.ConnectAndPause(WaveType(3, 1, kRate, 32), 4096, 4096));
        std::vector<float> input = Signal(256, 1);
        ASSERT_EQ(S_OK, h.source.Push(input.data(), 256 * 4));
        if (row.tail == kOnAfterFirstSample) h.control->put_Tail(1);
        IPin* pin = h.filter->InputPin();
        if (row.restart == kNewSegment) {
            ASSERT_EQ(S_OK, pin->NewSegment(0, 10000000, 1.0));
        } else if (row.restart == kFlush) {
            ASSERT_EQ(S_OK, pin->BeginFlush());
            ASSERT_EQ(S_OK, pin->EndFlush());
        }
        ASSERT_EQ(S_OK, h.source.Push(input.data(), 256 * 4));
        ASSERT_EQ(S_OK, h.source.SendEndOfStream());
        EXPECT_EQ(1, h.sink.endOfStreams);
        EXPECT_EQ((512 + row.tailFrames) * 2, h.sink.Floats().size());  // mono in, stereo out
        if (row.tail == kOn) {
            input.insert(input.end(), input.begin(), input.end());
            ExpectSameSamples(ReferenceRender(h.Params(), EngineFormat(3, 1, kRate, 32),
                                              EngineFormat(3, 2, kRate, 32), input),
                              h.sink.Floats());
        }
    }
}

// Integer streams, loud enough to saturate, come out in their own layout as the engine
// renders them, in buffers doubled for the stereo output.
TEST(Streaming, IntegerStreamsComeOutProcessedInDoubledBuffers) {
    const struct Row {
        uint16_t bits;
        int validBits;  // -1: a plain wave format
        uint32_t rate;
    } rows[] = {{16, -1, 22050}, {24, -1, 44100}, {32, -1, 48000}, {32, 24, 96000}};
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.bits << " bits, " << row.validBits << " valid");
        FilterHarness h;
        h.control->put_Tail(1);
        h.control->put_DecayTime(2);
        h.control->put_InputGain(GetParamInfo(kInputGain).maximum);
        h.control->put_DryLevel(GetParamInfo(kDryLevel).maximum);
        const PcmLayout layout = {uint16_t(row.bits / 8), uint16_t(row.validBits < 0 ? row.bits : row.validBits)};
        std::vector<float> signal = Signal(3000, 1);
        std::vector<uint8_t> input(signal.size() * layout.containerBytes);
        FloatToPcm(signal.data(), layout, input.data(), signal.size());
        const long bytes = static_cast<long>(input.size());
        ASSERT_EQ(S_OK, h.ConnectAndPause(WaveType(1, 1, row.rate, row.bits, row.validBits), 1024, bytes));
        ASSERT_EQ(S_OK, h.source.Push(input.data(), bytes));
        ASSERT_EQ(S_OK, h.source.SendEndOfStream());
        const size_t outFrame = 2u * layout.containerBytes;
        EXPECT_EQ(2048 / outFrame * outFrame, h.sink.samples[0].data.size());  // whole frames

        PcmToFloat(input.data(), layout, signal.data(), signal.size());
        const std::vector<float> reference = ReferenceRender(h.Params(), EngineFormat(1, 1, row.rate, row.bits),
                                                             EngineFormat(1, 2, row.rate, row.bits), signal);
        std::vector<uint8_t> expected(reference.size() * layout.containerBytes);
        FloatToPcm(reference.data(), layout, expected.data(), reference.size());
        EXPECT_EQ(expected, h.sink.AllBytes());
        const float top = 1.0f - std::ldexp(1.0f, 1 - layout.validBits);  // the largest step
        EXPECT_GT(std::count_if(reference.begin(), reference.end(), [&](float v) { return v > top; }), 0);
    }
}

TEST(Streaming, StereoOutputChangeIsAnnouncedWithTheNextSampleAndRenderedWhenDownstreamFollows) {
    FilterHarness h;
    ASSERT_EQ(S_OK, h.ConnectAndPause(WaveType(3, 2, kRate, 32), 4096, 4096));
    std::vector<float> input = Signal(512, 2);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));
    h.control->put_StereoOutput(0);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));

    ASSERT_EQ(3u, h.sink.samples.size());
    EXPECT_FALSE(h.sink.samples[0].typeAttached);
    ASSERT_TRUE(h.sink.samples[1].typeAttached);
    EXPECT_EQ(0, std::memcmp(&WaveOf(WaveType(3, 1, kRate, 32).Get()), &h.sink.samples[1].attached,
                             sizeof(WAVEFORMATEX)));
    EXPECT_FALSE(h.sink.samples[2].typeAttached);
    WAVEFORMATEX now = {};
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&now, 1));
    EXPECT_EQ(1, now.nChannels);
    MediaType connection;
    ASSERT_EQ(S_OK, h.filter->OutputPin()->ConnectionMediaType(connection.Raw()));
    EXPECT_EQ(1, WaveOf(connection).nChannels);

    // The mono rendering starts afresh with the sample that announced it.
    std::vector<float> twice(input);
    twice.insert(twice.end(), input.begin(), input.end());
    std::vector<float> expected =
        ReferenceRender(h.Params(), EngineFormat(3, 2, kRate, 32), EngineFormat(3, 1, kRate, 32), twice);
    expected.resize(1024);
    ExpectSameSamples(expected, After(h.sink.Floats(), 1024));

    // A downstream pin that cannot follow back to stereo keeps the layout it has.
    h.sink.acceptTypes = false;
    h.control->put_StereoOutput(1);
    ASSERT_EQ(S_OK, h.source.Push(input.data(), 512 * 8));
    EXPECT_FALSE(h.sink.samples.back().typeAttached);
    EXPECT_EQ(512u * 4, h.sink.samples.back().data.size());
}

// An upstream type change mid-stream: a new channel count restarts the network for the
// new input in the output's unchanged layout; a new rate is passed on downstream.
TEST(Streaming, UpstreamFormatChangesRestartTheNetwork) {
    struct Row {
        uint16_t channels;
        uint32_t rate;
        bool announced;
    };
    for (const Row& row : {Row{1, kRate, false}, Row{2, 48000, true}}) {
        SCOPED_TRACE(testing::Message() << row.channels << " channels at " << row.rate);
        FilterHarness h;
        ASSERT_EQ(S_OK, h.ConnectAndPause(WaveType(3, 2, kRate, 32), 8192, 8192));
        std::vector<float> input = Signal(1024, 2);
        ASSERT_EQ(S_OK, h.source.Push(input.data(), 1024 * 8));
        const MediaType changed = WaveType(3, row.channels, row.rate, 32);
        ASSERT_EQ(S_OK, h.source.Push(input.data(), 1024 * 4 * row.channels, nullptr, nullptr, &changed.Get()));
        ASSERT_EQ(2u, h.sink.samples.size());
        ASSERT_EQ(row.announced, h.sink.samples[1].typeAttached);
        WAVEFORMATEX now = {};
        ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&now, 1));
        EXPECT_EQ(row.rate, now.nSamplesPerSec);
        EXPECT_EQ(2, now.nChannels);
        input.resize(1024 * row.channels);
        std::vector<float> expected = ReferenceRender(h.Params(), EngineFormat(3, row.channels, row.rate, 32),
                                                      EngineFormat(3, 2, row.rate, 32), input);
        expected.resize(1024 * 2);
        ExpectSameSamples(expected, After(h.sink.Floats(), 2048));
    }
}

TEST(Streaming, ParameterPutsFromAnotherThreadWhileStreaming) {
    FilterHarness h;
    ASSERT_EQ(S_OK, h.ConnectAndPause(WaveType(3, 2, kRate, 32), 8192, 8192));
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
    std::vector<float> input = Signal(1024, 2);
    HRESULT hr = S_OK;
    for (int i = 0; i < 300 && hr == S_OK; ++i) hr = h.source.Push(input.data(), 1024 * 8);
    done = true;
    editor.join();
    EXPECT_EQ(S_OK, hr);
    std::vector<float> output = h.sink.Floats();
    ASSERT_EQ(300u * 1024 * 2, output.size());
    for (float s : output) ASSERT_TRUE(std::isfinite(s));
}

// Each layout's conversion at its edges, and the 16-bit shortcuts': rounding to the valid
// bits, saturation, NaN, and the way back reading the container's sign (packed 24 bits: the
// renderer's WAV tests).
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
        {{4, 24}, 0.6f / 8388608, {0x00, 0x01, 0x00, 0x00}, 1 / 8388608.0f},
        {{4, 24}, 2.0f, {0x00, 0xff, 0xff, 0x7f}, 8388607 / 8388608.0f},
        {{4, 24}, -2.0f, {0x00, 0x00, 0x00, 0x80}, -1.0f},
        {{4, 24}, nan, {0x00, 0x00, 0x00, 0x00}, 0.0f},
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
        if (row.layout.containerBytes != 2) continue;
        // The 16-bit shortcuts convert alike.
        int16_t word = 0;
        FloatToInt16(&row.in, &word, 1);
        EXPECT_EQ(0, std::memcmp(row.bytes.data(), &word, 2));
        back = 0;
        Int16ToFloat(&word, &back, 1);
        EXPECT_EQ(row.back, back);
    }
}

}  // namespace
