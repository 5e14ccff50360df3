// HalfGainFilter in a real graph of the platform's filters.
#include <gtest/gtest.h>

#include "HalfGainFilter.h"
#include "TestGraph.h"
#include "TransformInputPin.h"
#include "WavBytes.h"

namespace {

constexpr int kRate = 44100;
constexpr int kFrames = kRate / 2 + 123;  // half a second and a partial buffer

// Seeking while paused flushes the filter; every later run restarts it and delivers the
// whole stream, halved and in time.
TEST(TransformGraph, SeekingFlushesAndEveryRunRestartsTheWholeStream) {
    const std::vector<float> input = wavbytes::TestSignal(kFrames, 2, kRate);
    TempFile wav(wavbytes::Riff(wavbytes::ExtensibleFormatChunk(3, 2, kRate, 32) +
                                wavbytes::Chunk("data", wavbytes::FloatData(input))));
    ASSERT_TRUE(wav.Written());
    GraphCollector collector(2, 32, true);
    HalfGainFilter::Owned filter;
    TestGraph graph;
    graph.collector = &collector;
    std::string error;
    ASSERT_EQ(S_OK, graph.Build(wav.Path(), filter.ref.Get(), error)) << error;
    ASSERT_EQ(S_OK, graph.Pause());
    ASSERT_EQ(S_OK, graph.Rewind());
    EXPECT_GE(filter.f->flushes.load(), 1);
    EXPECT_FALSE(filter.f->InputPin()->IsFlushing());
    for (int run = 1; run <= 3; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        if (run > 1) {
            collector.Clear();
            ASSERT_EQ(S_OK, graph.Rewind());
        }
        long code = 0;
        ASSERT_EQ(S_OK, graph.RunToCompletion(&code)) << "event " << code;
        EXPECT_EQ(State_Running, filter.f->State());
        ASSERT_EQ(S_OK, graph.Stop());
        EXPECT_EQ(State_Stopped, filter.f->State());
        // The parser may have delivered its first buffer, paused, before the first seek's
        // flush, and again after it; the stream from that seek on must be whole.
        const std::vector<float>& got = collector.values;
        ASSERT_GE(got.size(), input.size());
        const size_t lead = got.size() - input.size();
        size_t wrong = 0;
        for (size_t i = 0; i < input.size(); ++i) wrong += got[lead + i] != input[i] * 0.5f;
        EXPECT_EQ(0u, wrong);
        if (run > 1) {
            EXPECT_EQ(0u, lead);
            EXPECT_GT(collector.samples, 1);
            EXPECT_EQ(collector.samples, collector.wellTimed);
            EXPECT_EQ(run, filter.f->starts.load());
            EXPECT_EQ(run, filter.f->stops.load());
        }
    }
    EXPECT_FALSE(filter.f->streamingWhileStopped.load());
}

}  // namespace
