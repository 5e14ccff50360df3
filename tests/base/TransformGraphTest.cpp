// HalfGainFilter in a real graph of the platform's filters.
#include <gtest/gtest.h>

#include "HalfGainFilter.h"
#include "StandInPins.h"
#include "TestGraph.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"
#include "WavBytes.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = kRate / 2 + 123;  // half a second and a partial buffer

class TransformGraph : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav.Written());
        graph.collector = &collector;
        std::string error;
        ASSERT_EQ(S_OK, graph.Build(wav.Path(), filter.ref.Get(), error)) << error;
    }

    // Runs the graph to its end and stops it.
    void Play() {
        long code = 0;
        ASSERT_EQ(S_OK, graph.RunToCompletion(&code)) << "event " << code;
        // The graph runs the renderer before this filter, and a short stream can end before
        // the graph gets to it.
        for (int waited = 0; waited < 5000 && filter.f->State() != State_Running; ++waited) Sleep(1);
        EXPECT_EQ(State_Running, filter.f->State());
        ASSERT_EQ(S_OK, graph.Stop());
        EXPECT_EQ(State_Stopped, filter.f->State());
    }

    // Everything collected is the halved input; with `allowLead`, whatever came before the
    // last input.size() values is not looked at.
    void ExpectHalvedSignal(bool allowLead = false) {
        const std::vector<float>& got = collector.values;
        if (allowLead)
            ASSERT_GE(got.size(), input.size());
        else
            ASSERT_EQ(input.size(), got.size());
        const size_t lead = got.size() - input.size();
        size_t wrong = 0;
        for (size_t i = 0; i < input.size(); ++i) wrong += got[lead + i] != input[i] * 0.5f;
        EXPECT_EQ(0u, wrong);
    }

    std::vector<float> input = wavbytes::TestSignal(kFrames, 2, kRate);
    TempFile wav{wavbytes::Riff(wavbytes::ExtensibleFormatChunk(3, 2, kRate, 32) +
                                wavbytes::Chunk("data", wavbytes::FloatData(input)))};
    GraphCollector collector{2, 32, true};
    HalfGainFilter::Owned filter;
    TestGraph graph;
};

// Seeking while paused flushes the filter; every later run restarts it and delivers the
// whole stream, halved and in time.
TEST_F(TransformGraph, SeekingFlushesAndEveryRunRestartsTheWholeStream) {
    ASSERT_EQ(S_OK, graph.Pause());
    ASSERT_EQ(S_OK, graph.Rewind());
    EXPECT_GE(filter.f->flushes.load(), 1);
    EXPECT_FALSE(filter.f->InputPin()->IsFlushing());
    Play();
    // The parser may have delivered its first buffer, paused, before the seek's flush, and
    // again after it; the stream from the seek on must be whole.
    ExpectHalvedSignal(true);
    for (int run = 2; run <= 3; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        collector.Clear();
        ASSERT_EQ(S_OK, graph.Rewind());
        Play();
        ExpectHalvedSignal();
        EXPECT_GT(collector.samples, 1);
        EXPECT_EQ(collector.samples, collector.wellTimed);
        EXPECT_EQ(run, filter.f->starts.load());
        EXPECT_EQ(run, filter.f->stops.load());
    }
    EXPECT_FALSE(filter.f->streamingWhileStopped.load());
}

}  // namespace
