// HalfGainFilter in a real graph of the platform's filters.
#include <gtest/gtest.h>
#include <cmath>
#include <windows.h>
#include <mmreg.h>
#include "FloatWavFile.h"
#include "GraphTestSupport.h"
#include "LooseSample.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr int kFrames = 44100 / 2 + 123;  // half a second and a partial buffer

std::vector<float> TestSignal() {
    std::vector<float> samples(kFrames * kChannels);
    for (int i = 0; i < kFrames; ++i) {
        samples[i * 2] = static_cast<float>(std::sin(i * 0.01));
        samples[i * 2 + 1] = static_cast<float>((i % 1000) / 1000.0 - 0.5);
    }
    return samples;
}

class TransformGraphTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(wav.Written());
        ASSERT_EQ(S_OK, graph.Build(wav.Path()));
    }

    // Everything collected is the halved input; with `allowLead`, whatever came before the
    // last input.size() values is not looked at.
    void ExpectHalvedSignal(bool allowLead = false) {
        std::vector<float> got = graph.collector.Values();
        if (allowLead)
            ASSERT_GE(got.size(), input.size());
        else
            ASSERT_EQ(input.size(), got.size());
        const size_t lead = got.size() - input.size();
        size_t wrong = 0;
        for (size_t i = 0; i < input.size(); ++i)
            if (got[lead + i] != input[i] * 0.5f) ++wrong;
        EXPECT_EQ(0u, wrong);
    }

    std::vector<float> input = TestSignal();
    FloatWavFile wav{input, kChannels, kRate};
    HalfGainGraph graph;
};

TEST_F(TransformGraphTest, EverySampleArrivesHalved) {
    long code = 0;
    ASSERT_EQ(S_OK, graph.RunToCompletion(&code)) << "event " << code;
    ASSERT_EQ(S_OK, graph.Stop());
    ExpectHalvedSignal();
    EXPECT_GT(graph.collector.Samples(), 1);
    EXPECT_EQ(graph.collector.Samples(), graph.collector.WellTimedSamples());
    EXPECT_EQ(1, graph.filter->endOfStreams.load());
    EXPECT_FALSE(graph.filter->streamingWhileStopped.load());
}

TEST_F(TransformGraphTest, StreamingStartsAndStopsOncePerRun) {
    long code = 0;
    EXPECT_EQ(0, graph.filter->starts.load());
    ASSERT_EQ(S_OK, graph.RunToCompletion(&code));
    EXPECT_EQ(1, graph.filter->starts.load());
    EXPECT_EQ(0, graph.filter->stops.load());
    EXPECT_EQ(State_Running, graph.filter->State());
    ASSERT_EQ(S_OK, graph.Stop());
    EXPECT_EQ(1, graph.filter->starts.load());
    EXPECT_EQ(1, graph.filter->stops.load());
    EXPECT_EQ(State_Stopped, graph.filter->State());
}

TEST_F(TransformGraphTest, RunsAgainAfterStopTwice) {
    for (int run = 1; run <= 3; ++run) {
        graph.collector.Clear();
        ASSERT_EQ(S_OK, graph.Rewind());
        long code = 0;
        ASSERT_EQ(S_OK, graph.RunToCompletion(&code)) << "run " << run << " event " << code;
        ASSERT_EQ(S_OK, graph.Stop());
        ExpectHalvedSignal();
        EXPECT_EQ(run, graph.filter->starts.load());
        EXPECT_EQ(run, graph.filter->stops.load());
    }
}

TEST_F(TransformGraphTest, SeekingWhilePausedFlushesAndRestarts) {
    ASSERT_EQ(S_OK, graph.Pause());
    ASSERT_EQ(S_OK, graph.Rewind());
    EXPECT_GE(graph.filter->flushes.load(), 1);
    EXPECT_FALSE(graph.filter->InputPin()->IsFlushing());
    long code = 0;
    ASSERT_EQ(S_OK, graph.RunToCompletion(&code)) << "event " << code;
    ASSERT_EQ(S_OK, graph.Stop());
    // The parser may have delivered its first buffer, paused, before the seek's flush, and
    // again after it; the stream from the seek on must be whole.
    ExpectHalvedSignal(true);
    EXPECT_EQ(1, graph.filter->starts.load());
    EXPECT_EQ(1, graph.filter->stops.load());
}

TEST_F(TransformGraphTest, ConnectionTypesAreTheParsersAudioType) {
    TransformInputPin* in = graph.filter->InputPin();
    TransformOutputPin* out = graph.filter->OutputPin();
    ASSERT_TRUE(in->IsConnected());
    ASSERT_TRUE(out->IsConnected());
    const AM_MEDIA_TYPE& type = in->CurrentMediaType();
    EXPECT_TRUE(IsEqualGUID(MEDIATYPE_Audio, type.majortype));
    ASSERT_GE(type.cbFormat, sizeof(WAVEFORMATEX));
    auto* wf = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
    EXPECT_EQ(kChannels, wf->nChannels);
    EXPECT_EQ(static_cast<DWORD>(kRate), wf->nSamplesPerSec);
    EXPECT_EQ(32, wf->wBitsPerSample);
    EXPECT_TRUE(MediaTypesEqual(type, out->CurrentMediaType()));
    EXPECT_EQ(1, graph.filter->inputTypesSet.load());
    EXPECT_EQ(1, graph.filter->outputTypesSet.load());

    // What the pins report matches what the other side holds.
    AM_MEDIA_TYPE seen = {};
    ASSERT_EQ(S_OK, out->ConnectionMediaType(&seen));
    EXPECT_TRUE(MediaTypesEqual(seen, type));
    FreeMediaType(seen);
    ComPtr<IPin> downstream;
    ASSERT_EQ(S_OK, out->ConnectedTo(&downstream));
    ComPtr<IPin> grabberIn = FirstPin(graph.grabber.Get(), PINDIR_INPUT);
    EXPECT_EQ(grabberIn.Get(), downstream.Get());
    ASSERT_EQ(S_OK, grabberIn->ConnectionMediaType(&seen));
    EXPECT_TRUE(MediaTypesEqual(seen, type));
    FreeMediaType(seen);

    ASSERT_NE(nullptr, out->Allocator());
    ALLOCATOR_PROPERTIES props = {};
    ASSERT_EQ(S_OK, out->Allocator()->GetProperties(&props));
    EXPECT_GE(props.cbBuffer, 4096);
    ASSERT_NE(nullptr, in->Allocator());
}

TEST_F(TransformGraphTest, PinsRefuseToChangeWhileRunning) {
    ASSERT_EQ(S_OK, graph.Pause());
    EXPECT_EQ(VFW_E_NOT_STOPPED, graph.filter->OutputPin()->Disconnect());
    EXPECT_TRUE(graph.filter->OutputPin()->IsConnected());
    ASSERT_EQ(S_OK, graph.Stop());
    EXPECT_EQ(S_OK, graph.filter->OutputPin()->Disconnect());
    EXPECT_FALSE(graph.filter->OutputPin()->IsConnected());
    EXPECT_EQ(nullptr, graph.filter->OutputPin()->Allocator());
}

TEST_F(TransformGraphTest, FailingStartLeavesTheFilterStopped) {
    graph.filter->refuseStart = true;
    graph.Pause();  // how the graph reports a filter's refusal is its own affair
    EXPECT_EQ(State_Stopped, graph.filter->State());
    EXPECT_EQ(0, graph.filter->starts.load());
    graph.Stop();
    EXPECT_EQ(0, graph.filter->stops.load());
    graph.filter->refuseStart = false;
    long code = 0;
    ASSERT_EQ(S_OK, graph.RunToCompletion(&code));
    ASSERT_EQ(S_OK, graph.Stop());
    ExpectHalvedSignal();
}

TEST_F(TransformGraphTest, ReceiveIsRefusedWhileStoppedOrFlushing) {
    LooseSample loose(64);
    ASSERT_NE(nullptr, loose.sample.Get());
    IMediaSample* sample = loose.sample.Get();
    TransformInputPin* in = graph.filter->InputPin();
    EXPECT_EQ(VFW_E_WRONG_STATE, in->Receive(sample));
    EXPECT_EQ(VFW_E_WRONG_STATE, in->EndOfStream());
    EXPECT_EQ(0, graph.filter->endOfStreams.load());

    ASSERT_EQ(S_OK, graph.Pause());
    ASSERT_EQ(S_OK, in->BeginFlush());
    EXPECT_TRUE(in->IsFlushing());
    EXPECT_EQ(S_FALSE, in->Receive(sample));
    EXPECT_EQ(S_FALSE, in->EndOfStream());
    ASSERT_EQ(S_OK, in->EndFlush());
    EXPECT_FALSE(in->IsFlushing());
    ASSERT_EQ(S_OK, graph.Stop());
}

}  // namespace
