// Pins of a filter outside any graph: enumeration, identity, and the connection handshake
// between two filters of ours.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmreg.h>
#include <wrl/client.h>
#include <thread>
#include "HalfGainFilter.h"
#include "LooseSample.h"
#include "MediaType.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

using Microsoft::WRL::ComPtr;

namespace {

MediaType FloatStereo() {
    WAVEFORMATEX wf = {WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 48000 * 8, 8, 32, 0};
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = MEDIASUBTYPE_IEEE_FLOAT;
    mt.formattype = FORMAT_WaveFormatEx;
    mt.cbFormat = sizeof wf;
    mt.pbFormat = reinterpret_cast<BYTE*>(&wf);
    return MediaType(mt);  // copies the block
}

struct Filter {
    Filter() : f(new HalfGainFilter()) {
        f->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(ref.GetAddressOf()));
    }
    HalfGainFilter* f;
    ComPtr<IBaseFilter> ref;
};

TEST(Pins, EnumeratedInputFirstThenOutput) {
    Filter filter;
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, filter.ref->EnumPins(&pins));
    IPin* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(S_FALSE, pins->Next(3, got, &fetched));
    ASSERT_EQ(2u, fetched);
    const wchar_t* names[] = {L"Input", L"Output"};
    const PIN_DIRECTION dirs[] = {PINDIR_INPUT, PINDIR_OUTPUT};
    for (int i = 0; i < 2; ++i) {
        PIN_INFO info = {};
        ASSERT_EQ(S_OK, got[i]->QueryPinInfo(&info));
        EXPECT_STREQ(names[i], info.achName);
        EXPECT_EQ(dirs[i], info.dir);
        EXPECT_EQ(filter.ref.Get(), info.pFilter);
        info.pFilter->Release();
        LPWSTR id = nullptr;
        ASSERT_EQ(S_OK, got[i]->QueryId(&id));
        EXPECT_STREQ(names[i], id);
        CoTaskMemFree(id);
        IPin* found = nullptr;
        ASSERT_EQ(S_OK, filter.ref->FindPin(names[i], &found));
        EXPECT_EQ(got[i], found);
        found->Release();
        got[i]->Release();
    }
    IPin* none = reinterpret_cast<IPin*>(1);
    EXPECT_EQ(VFW_E_NOT_FOUND, filter.ref->FindPin(L"Side", &none));
    EXPECT_EQ(nullptr, none);

    // Reset, Skip and Clone walk the same list.
    ASSERT_EQ(S_OK, pins->Reset());
    ASSERT_EQ(S_OK, pins->Skip(1));
    ComPtr<IEnumPins> copy;
    ASSERT_EQ(S_OK, pins->Clone(&copy));
    ComPtr<IPin> second;
    ASSERT_EQ(S_OK, copy->Next(1, &second, nullptr));
    EXPECT_EQ(static_cast<IPin*>(filter.f->OutputPin()), second.Get());
    EXPECT_EQ(S_FALSE, copy->Skip(1));
    EXPECT_EQ(S_FALSE, pins->Skip(5));
}

TEST(Pins, UnconnectedPinsAnswerSensibly) {
    Filter filter;
    TransformInputPin* in = filter.f->InputPin();
    TransformOutputPin* out = filter.f->OutputPin();
    MediaType floatType = FloatStereo();
    EXPECT_EQ(S_OK, in->QueryAccept(&floatType.Get()));
    MediaType pcm = floatType;
    reinterpret_cast<WAVEFORMATEX*>(pcm.Raw()->pbFormat)->wFormatTag = WAVE_FORMAT_PCM;
    reinterpret_cast<WAVEFORMATEX*>(pcm.Raw()->pbFormat)->wBitsPerSample = 16;
    EXPECT_EQ(S_FALSE, in->QueryAccept(&pcm.Get()));
    // The output derives its types from the input, so it has none yet.
    EXPECT_EQ(S_FALSE, out->QueryAccept(&floatType.Get()));
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(S_OK, out->EnumMediaTypes(&types));
    AM_MEDIA_TYPE* mt = nullptr;
    ULONG fetched = 5;
    EXPECT_EQ(S_FALSE, types->Next(1, &mt, &fetched));
    EXPECT_EQ(0u, fetched);

    ComPtr<IPin> peer;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, in->ConnectedTo(&peer));
    EXPECT_EQ(nullptr, peer.Get());
    AM_MEDIA_TYPE current;
    EXPECT_EQ(VFW_E_NOT_CONNECTED, out->ConnectionMediaType(&current));
    EXPECT_EQ(S_FALSE, out->Disconnect());
    EXPECT_EQ(E_NOTIMPL, in->QueryInternalConnections(nullptr, nullptr));
    EXPECT_EQ(E_UNEXPECTED, out->EndOfStream());
    EXPECT_EQ(E_UNEXPECTED, out->BeginFlush());
    EXPECT_EQ(VFW_E_NOT_CONNECTED, out->QueryAcceptDownstream(&floatType.Get()));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, out->DeliverEndOfStream());
    IMediaSample* sample = reinterpret_cast<IMediaSample*>(1);
    EXPECT_EQ(VFW_E_NO_ALLOCATOR, out->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
    EXPECT_EQ(nullptr, sample);
    EXPECT_EQ(E_NOTIMPL, in->GetAllocatorRequirements(nullptr));
    EXPECT_EQ(S_OK, in->ReceiveCanBlock());

    ComPtr<IMemInputPin> mem;
    EXPECT_EQ(S_OK, in->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(mem.GetAddressOf())));
    EXPECT_EQ(E_NOINTERFACE, out->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(mem.ReleaseAndGetAddressOf())));
    // A pin's references are its filter's.
    ULONG filterRefs = filter.ref->AddRef();
    EXPECT_EQ(filterRefs + 1, in->AddRef());
    in->Release();
    filter.ref->Release();
}

// Upstream (a filter's unconnected output standing in for a source) -> a -> b.
class PinChain : public ::testing::Test {
protected:
    void ConnectInputOfA() {
        ASSERT_EQ(S_OK, a.f->InputPin()->ReceiveConnection(upstream.f->OutputPin(), &type.Get()));
    }
    Filter upstream, a, b;
    MediaType type = FloatStereo();
};

TEST_F(PinChain, ConnectionNegotiatesTypeAndAllocator) {
    ConnectInputOfA();
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
    AM_MEDIA_TYPE video = {};
    video.majortype = MEDIATYPE_Video;
    EXPECT_EQ(VFW_E_NO_ACCEPTABLE_TYPES, a.f->OutputPin()->Connect(b.f->InputPin(), &video));
    EXPECT_FALSE(a.f->OutputPin()->IsConnected());
    EXPECT_FALSE(b.f->InputPin()->IsConnected());

    AM_MEDIA_TYPE audio = {};
    audio.majortype = MEDIATYPE_Audio;
    ASSERT_EQ(S_OK, a.f->OutputPin()->Connect(b.f->InputPin(), &audio));
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
    ASSERT_EQ(S_OK, b.f->InputPin()->Disconnect());
    EXPECT_EQ(nullptr, a.f->OutputPin()->Allocator());
    EXPECT_EQ(nullptr, b.f->InputPin()->Allocator());
}

TEST_F(PinChain, RefusedTypesAndDirectionsLeaveNoConnection) {
    MediaType pcm = type;
    reinterpret_cast<WAVEFORMATEX*>(pcm.Raw()->pbFormat)->wBitsPerSample = 16;
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, a.f->InputPin()->ReceiveConnection(upstream.f->OutputPin(), &pcm.Get()));
    EXPECT_FALSE(a.f->InputPin()->IsConnected());
    EXPECT_EQ(0, a.f->inputTypesSet.load());
    // Two inputs do not connect, whatever the type.
    EXPECT_EQ(VFW_E_INVALID_DIRECTION, a.f->InputPin()->ReceiveConnection(b.f->InputPin(), &type.Get()));
    EXPECT_FALSE(a.f->InputPin()->IsConnected());
    ConnectInputOfA();
    EXPECT_EQ(1, a.f->inputTypesSet.load());
    EXPECT_EQ(VFW_E_INVALID_DIRECTION, a.f->OutputPin()->Connect(upstream.f->OutputPin(), &type.Get()));
    EXPECT_FALSE(a.f->OutputPin()->IsConnected());
    // The output refuses what the filter would not make from this input.
    MediaType mono = type;
    reinterpret_cast<WAVEFORMATEX*>(mono.Raw()->pbFormat)->nChannels = 1;
    EXPECT_EQ(VFW_E_TYPE_NOT_ACCEPTED, a.f->OutputPin()->Connect(b.f->InputPin(), &mono.Get()));
    EXPECT_FALSE(b.f->InputPin()->IsConnected());
    EXPECT_EQ(0, a.f->outputTypesSet.load());
}

TEST_F(PinChain, StreamingNeedsBothPinsAndStopsOnce) {
    ConnectInputOfA();
    ASSERT_EQ(S_OK, a.f->Pause());
    EXPECT_EQ(0, a.f->starts.load());  // nothing downstream to stream to
    EXPECT_FALSE(a.f->IsStreaming());
    // So nothing reaches the filter's streaming code either.
    LooseSample loose(64);
    ASSERT_NE(nullptr, loose.sample.Get());
    EXPECT_EQ(VFW_E_NOT_CONNECTED, a.f->InputPin()->Receive(loose.sample.Get()));
    EXPECT_EQ(S_OK, a.f->InputPin()->EndOfStream());
    EXPECT_EQ(0, a.f->endOfStreams.load());
    ASSERT_EQ(S_OK, a.f->Stop());
    EXPECT_EQ(0, a.f->stops.load());
    ASSERT_EQ(S_OK, a.f->OutputPin()->Connect(b.f->InputPin(), nullptr));
    ASSERT_EQ(S_OK, a.f->Pause());
    ASSERT_EQ(S_OK, a.f->Run(0));
    ASSERT_EQ(S_OK, a.f->Pause());
    EXPECT_EQ(1, a.f->starts.load());
    EXPECT_TRUE(a.f->IsStreaming());
    // Committed on pause: a buffer can be had.
    IMediaSample* sample = nullptr;
    ASSERT_EQ(S_OK, a.f->OutputPin()->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
    sample->Release();
    ASSERT_EQ(S_OK, a.f->Stop());
    ASSERT_EQ(S_OK, a.f->Stop());
    EXPECT_EQ(1, a.f->stops.load());
    EXPECT_FALSE(a.f->IsStreaming());
    EXPECT_EQ(VFW_E_NOT_COMMITTED, a.f->OutputPin()->GetDeliveryBuffer(&sample, nullptr, nullptr, 0));
    ASSERT_EQ(S_OK, a.f->OutputPin()->Disconnect());
    ASSERT_EQ(S_OK, b.f->InputPin()->Disconnect());
}

// A peer that asks about the connection from the streaming thread while the application
// thread stops the filter must not deadlock the two.
TEST_F(PinChain, StopWhileTheStreamingThreadAsksAboutTheConnection) {
    ConnectInputOfA();
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
    LooseSample loose(64);
    ASSERT_NE(nullptr, loose.sample.Get());
    loose.sample->SetActualDataLength(64);
    std::thread streaming([&] { a.f->InputPin()->Receive(loose.sample.Get()); });
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(inTransform, 5000));
    EXPECT_EQ(S_OK, a.f->Stop());
    streaming.join();
    CloseHandle(inTransform);
    EXPECT_EQ(S_OK, askedTo);
    EXPECT_EQ(S_OK, askedType);
    EXPECT_EQ(1, a.f->stops.load());
    ASSERT_EQ(S_OK, a.f->OutputPin()->Disconnect());
    ASSERT_EQ(S_OK, b.f->InputPin()->Disconnect());
}

TEST(FilterObject, InfoClockAndGraphMembership) {
    Filter filter;
    FILTER_INFO info = {};
    ASSERT_EQ(S_OK, filter.ref->QueryFilterInfo(&info));
    EXPECT_STREQ(L"Half Gain", info.achName);
    EXPECT_EQ(nullptr, info.pGraph);
    EXPECT_EQ(VFW_E_NOT_IN_GRAPH, filter.f->ReconnectOutput(nullptr));
    LPWSTR vendor = reinterpret_cast<LPWSTR>(1);
    EXPECT_EQ(E_NOTIMPL, filter.ref->QueryVendorInfo(&vendor));

    ComPtr<IReferenceClock> clock;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_SystemClock, nullptr, CLSCTX_INPROC_SERVER, IID_IReferenceClock,
                                     reinterpret_cast<void**>(clock.GetAddressOf())));
    ASSERT_EQ(S_OK, filter.ref->SetSyncSource(clock.Get()));
    ComPtr<IReferenceClock> got;
    ASSERT_EQ(S_OK, filter.ref->GetSyncSource(&got));
    EXPECT_EQ(clock.Get(), got.Get());
    EXPECT_EQ(clock.Get(), filter.f->Clock());
    ASSERT_EQ(S_OK, filter.ref->SetSyncSource(nullptr));
    ASSERT_EQ(S_OK, filter.ref->GetSyncSource(got.ReleaseAndGetAddressOf()));
    EXPECT_EQ(nullptr, got.Get());

    ComPtr<IFilterGraph> graph;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterGraph,
                                     reinterpret_cast<void**>(graph.GetAddressOf())));
    ASSERT_EQ(S_OK, graph->AddFilter(filter.ref.Get(), L"Named by graph"));
    EXPECT_EQ(graph.Get(), filter.f->Graph());
    ASSERT_EQ(S_OK, filter.ref->QueryFilterInfo(&info));
    EXPECT_STREQ(L"Named by graph", info.achName);
    EXPECT_EQ(graph.Get(), info.pGraph);
    info.pGraph->Release();
    ASSERT_EQ(S_OK, graph->RemoveFilter(filter.ref.Get()));
    EXPECT_EQ(nullptr, filter.f->Graph());
}

}  // namespace
