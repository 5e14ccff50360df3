// Pins of two filters of ours outside any graph: the connection handshake, streaming and
// stopping.
#include <gtest/gtest.h>

#include <thread>

#include "HalfGainFilter.h"
#include "StandInPins.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"
#include "WaveTypes.h"

using Microsoft::WRL::ComPtr;

namespace {

using Filter = HalfGainFilter::Owned;

// A stand-in source -> a -> b.
class PinChain : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(S_OK, source.ConnectTo(a.f->InputPin(), type.Get(), 4096, 4096));
    }
    void TearDown() override {
        a.f->Stop();
        source.Unplug();
        b.f->Stop();
        a.f->OutputPin()->Disconnect();
        b.f->InputPin()->Disconnect();
        b.f->OutputPin()->Disconnect();
    }
    // The stand-ins first: they outlive the filters.
    SourcePin source;
    SinkPin sink;
    Filter a, b;
    MediaType type = WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
};

TEST_F(PinChain, ConnectionNegotiatesTypeAndAllocator) {
    EXPECT_TRUE(MediaTypesEqual(type.Get(), a.f->InputPin()->CurrentMediaType()));
    // The output now proposes the input's type, and only that.
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, a.f->OutputPin()->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* offered[2] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, types->Next(2, offered, &fetched));
    ASSERT_EQ(1u, fetched);
    EXPECT_TRUE(MediaTypesEqual(type.Get(), *offered[0]));
    DeleteMediaType(offered[0]);

    // A partial type that names another major type matches nothing.
    AM_MEDIA_TYPE partial = {};
    partial.majortype = MEDIATYPE_Video;
    EXPECT_EQ(VFW_E_NO_ACCEPTABLE_TYPES, a.f->OutputPin()->Connect(b.f->InputPin(), &partial));
    EXPECT_FALSE(b.f->InputPin()->IsConnected());
    partial.majortype = MEDIATYPE_Audio;
    ASSERT_EQ(S_OK, a.f->OutputPin()->Connect(b.f->InputPin(), &partial));
    EXPECT_EQ(static_cast<IPin*>(b.f->InputPin()), a.f->OutputPin()->ConnectedPin());
    EXPECT_EQ(static_cast<IPin*>(a.f->OutputPin()), b.f->InputPin()->ConnectedPin());
    EXPECT_TRUE(MediaTypesEqual(type.Get(), b.f->InputPin()->CurrentMediaType()));
    // Both ends use the one allocator, sized by the filter.
    ASSERT_NE(nullptr, a.f->OutputPin()->Allocator());
    EXPECT_EQ(a.f->OutputPin()->Allocator(), b.f->InputPin()->Allocator());
    ALLOCATOR_PROPERTIES props = {};
    ASSERT_EQ(S_OK, a.f->OutputPin()->Allocator()->GetProperties(&props));
    EXPECT_EQ(4096, props.cbBuffer);
    EXPECT_EQ(VFW_E_ALREADY_CONNECTED, a.f->OutputPin()->Connect(b.f->InputPin(), nullptr));
    ASSERT_EQ(S_OK, a.f->OutputPin()->Disconnect());
    EXPECT_EQ(nullptr, a.f->OutputPin()->Allocator());
}

TEST_F(PinChain, RefusedTypesAndDirectionsLeaveNoConnection) {
    source.Unplug();
    MediaType pcm = WaveType(WAVE_FORMAT_PCM, 2, 48000, 16);
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, a.f->InputPin()->ReceiveConnection(&source, &pcm.Get()));
    EXPECT_FALSE(a.f->InputPin()->IsConnected());
    EXPECT_EQ(1, a.f->inputTypesSet.load());  // only the fixture's connection
    // Two inputs do not connect, whatever the type.
    EXPECT_EQ(VFW_E_INVALID_DIRECTION, a.f->InputPin()->ReceiveConnection(b.f->InputPin(), &type.Get()));
    EXPECT_FALSE(a.f->InputPin()->IsConnected());
    ASSERT_EQ(S_OK, source.ConnectTo(a.f->InputPin(), type.Get(), 4096, 4096));
    EXPECT_EQ(VFW_E_INVALID_DIRECTION, a.f->OutputPin()->Connect(&source, &type.Get()));
    EXPECT_FALSE(a.f->OutputPin()->IsConnected());
    // The output refuses what the filter would not make from this input.
    MediaType mono = WaveType(WAVE_FORMAT_IEEE_FLOAT, 1, 48000, 32);
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, a.f->OutputPin()->Connect(b.f->InputPin(), &mono.Get()));
    EXPECT_FALSE(b.f->InputPin()->IsConnected());
    EXPECT_EQ(0, a.f->outputTypesSet.load());
}

TEST_F(PinChain, StreamingNeedsBothPinsAndStopsOnce) {
    ASSERT_EQ(S_OK, a.f->Pause());
    EXPECT_EQ(0, a.f->starts.load());  // nothing downstream to stream to
    // So nothing reaches the filter's streaming code either.
    std::vector<float> data(16, 0.5f);
    EXPECT_EQ(VFW_E_NOT_CONNECTED, source.Push(data.data(), 64));
    EXPECT_EQ(S_OK, source.SendEndOfStream());
    EXPECT_EQ(0, a.f->endOfStreams.load());
    ASSERT_EQ(S_OK, a.f->Stop());
    EXPECT_EQ(0, a.f->stops.load());

    ASSERT_EQ(S_OK, a.f->OutputPin()->Connect(&sink, nullptr));
    ASSERT_EQ(S_OK, a.f->Pause());
    ASSERT_EQ(S_OK, a.f->Run(0));
    ASSERT_EQ(S_OK, a.f->Pause());
    EXPECT_EQ(1, a.f->starts.load());
    EXPECT_TRUE(a.f->IsStreaming());
    // Samples keep their times and sync points, and their data is transformed.
    const REFERENCE_TIME start = 1000, stop = 2000;
    ASSERT_EQ(S_OK, source.Push(data.data(), 64, &start, &stop));
    ASSERT_EQ(S_OK, source.Push(data.data(), 64));
    ASSERT_EQ(2u, sink.samples.size());
    EXPECT_TRUE(sink.samples[0].timed);
    EXPECT_EQ(start, sink.samples[0].start);
    EXPECT_EQ(stop, sink.samples[0].stop);
    EXPECT_TRUE(sink.samples[0].syncPoint);
    EXPECT_FALSE(sink.samples[1].timed);
    EXPECT_FALSE(sink.samples[1].syncPoint);
    EXPECT_EQ(std::vector<float>(32, 0.25f), sink.Floats());
    ASSERT_EQ(S_OK, a.f->Stop());
    ASSERT_EQ(S_OK, a.f->Stop());
    EXPECT_EQ(1, a.f->stops.load());
    EXPECT_FALSE(a.f->IsStreaming());
    IMediaSample* sample = nullptr;
    EXPECT_EQ(VFW_E_NOT_COMMITTED, a.f->OutputPin()->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
}

// A flush refuses samples until it ends and reaches the filters downstream; every run after
// a stop starts streaming again. A seeking graph does both.
TEST_F(PinChain, FlushesPassDownstreamAndEveryRunRestartsStreaming) {
    ASSERT_EQ(S_OK, a.f->OutputPin()->Connect(b.f->InputPin(), nullptr));
    ASSERT_EQ(S_OK, b.f->OutputPin()->Connect(&sink, nullptr));
    std::vector<float> data(16, 0.5f);
    for (int run = 1; run <= 2; ++run) {
        SCOPED_TRACE(testing::Message() << "run " << run);
        ASSERT_EQ(S_OK, b.f->Pause());
        ASSERT_EQ(S_OK, a.f->Pause());
        ASSERT_EQ(S_OK, a.f->InputPin()->BeginFlush());
        EXPECT_TRUE(b.f->InputPin()->IsFlushing());
        EXPECT_EQ(S_FALSE, source.Push(data.data(), 64));
        ASSERT_EQ(S_OK, a.f->InputPin()->EndFlush());
        EXPECT_FALSE(b.f->InputPin()->IsFlushing());
        ASSERT_EQ(S_OK, source.Push(data.data(), 64));
        EXPECT_EQ(run, b.f->flushes.load());
        ASSERT_EQ(S_OK, a.f->Stop());
        ASSERT_EQ(S_OK, b.f->Stop());
        EXPECT_EQ(run, a.f->starts.load());
        EXPECT_EQ(run, a.f->stops.load());
    }
    EXPECT_EQ(std::vector<float>(32, 0.125f), sink.Floats());  // halved twice; nothing of the flushes
    EXPECT_FALSE(a.f->streamingWhileStopped.load());
}

// A peer that asks about the connection from the streaming thread while the application
// thread stops the filter must not deadlock the two.
TEST_F(PinChain, StopWhileTheStreamingThreadAsksAboutTheConnection) {
    ASSERT_EQ(S_OK, a.f->OutputPin()->Connect(b.f->InputPin(), nullptr));
    ASSERT_EQ(S_OK, a.f->Pause());
    HANDLE inTransform = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HRESULT askedTo = E_FAIL, askedType = E_FAIL;
    a.f->duringTransform = [&] {
        SetEvent(inTransform);
        Sleep(300);  // long enough for Stop to be waiting on this thread
        IPin* peer = nullptr;
        askedTo = a.f->OutputPin()->ConnectedTo(&peer);
        if (peer) peer->Release();
        AM_MEDIA_TYPE mt = {};
        askedType = a.f->OutputPin()->ConnectionMediaType(&mt);
        FreeMediaType(mt);
        FILTER_INFO info = {};
        a.f->QueryFilterInfo(&info);
    };
    std::vector<float> data(16);
    std::thread streaming([&] { source.Push(data.data(), 64); });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(inTransform, 5000));
    EXPECT_EQ(S_OK, a.f->Stop());
    streaming.join();
    CloseHandle(inTransform);
    EXPECT_EQ(S_OK, askedTo);
    EXPECT_EQ(S_OK, askedType);
    EXPECT_EQ(1, a.f->stops.load());
}

}  // namespace
