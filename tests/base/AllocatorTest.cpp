// The base layer's memory allocator and its samples: the properties it grants, the end of a
// wait for a buffer, buffers that outlive Decommit, sample properties and their reset, and
// the output pin falling back to the downstream pin's allocator when ours is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <future>
#include <vector>

#include "HalfGainFilter.h"
#include "MemAllocator.h"
#include "StandInPins.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"
#include "WaveTypes.h"

using Microsoft::WRL::ComPtr;

namespace {

// A new allocator holding only the caller's reference (this ComPtr's Attach adds one).
ComPtr<IMemAllocator> NewAllocator() {
    ComPtr<IMemAllocator> allocator;
    *allocator.GetAddressOf() = MemAllocator::Create();
    return allocator;
}

// A new committed allocator with `props`.
ComPtr<IMemAllocator> Allocator(ALLOCATOR_PROPERTIES props) {
    ComPtr<IMemAllocator> allocator = NewAllocator();
    ALLOCATOR_PROPERTIES actual = {};
    if (allocator->SetProperties(&props, &actual) == S_OK) allocator->Commit();
    return allocator;
}

BYTE* PointerOf(IMediaSample* sample) {
    BYTE* p = nullptr;
    sample->GetPointer(&p);
    return p;
}

bool Committed(const void* p) {
    MEMORY_BASIC_INFORMATION info = {};
    return VirtualQuery(p, &info, sizeof info) == sizeof info && info.State == MEM_COMMIT;
}

TEST(MemAllocator, GrantsAlignedBuffersAndRefusesBadRequests) {
    struct Row {
        ALLOCATOR_PROPERTIES request;
        HRESULT result;
        long grantedSize;  // prefix and buffer fill whole alignment steps
    };
    const Row rows[] = {
        {{2, 1000, 1, 0}, S_OK, 1000},
        {{3, 1000, 64, 0}, S_OK, 1024},
        {{3, 1000, 16, 24}, S_OK, 1000},
        {{2, 1001, 16, 24}, S_OK, 1016},
        {{2, 1000, 0, 0}, VFW_E_BADALIGN, 0},
        {{2, 1000, 48, 0}, VFW_E_BADALIGN, 0},
        {{2, 1000, 131072, 0}, VFW_E_BADALIGN, 0},
        {{-1, 1000, 1, 0}, E_INVALIDARG, 0},
        {{2, 1000, 1, -8}, E_INVALIDARG, 0},
    };
    for (const Row& row : rows) {
        const ALLOCATOR_PROPERTIES& want = row.request;
        SCOPED_TRACE(testing::Message() << want.cBuffers << " x " << want.cbBuffer << " align " << want.cbAlign
                                        << " prefix " << want.cbPrefix);
        ComPtr<IMemAllocator> allocator = NewAllocator();
        ALLOCATOR_PROPERTIES got = {}, kept = {};
        ASSERT_EQ(row.result, allocator->SetProperties(const_cast<ALLOCATOR_PROPERTIES*>(&want), &got));
        ASSERT_EQ(S_OK, allocator->GetProperties(&kept));
        if (row.result != S_OK) {
            EXPECT_EQ(0, kept.cbBuffer);  // a refusal keeps nothing
            continue;
        }
        EXPECT_EQ(row.grantedSize, got.cbBuffer);
        EXPECT_EQ(0, std::memcmp(&got, &kept, sizeof got));
        ASSERT_EQ(S_OK, allocator->Commit());
        std::vector<IMediaSample*> samples(want.cBuffers);
        std::vector<BYTE*> starts;
        for (IMediaSample*& s : samples) {
            ASSERT_EQ(S_OK, allocator->GetBuffer(&s, nullptr, nullptr, 0));
            EXPECT_EQ(row.grantedSize, s->GetSize());
            BYTE* start = PointerOf(s) - want.cbPrefix;
            EXPECT_EQ(0u, reinterpret_cast<uintptr_t>(start) % want.cbAlign);
            std::fill(start, start + want.cbPrefix + s->GetSize(), BYTE(0xA5));  // all of it is ours
            starts.push_back(start);
        }
        std::sort(starts.begin(), starts.end());
        for (size_t i = 1; i < starts.size(); ++i)
            EXPECT_GE(starts[i] - starts[i - 1], want.cbPrefix + row.grantedSize);
        for (IMediaSample* s : samples) s->Release();
    }
}

TEST(MemAllocator, CommitNeedsSizeAndCountAndPropertiesWaitForTheBuffers) {
    ComPtr<IMemAllocator> allocator = NewAllocator();
    EXPECT_EQ(VFW_E_SIZENOTSET, allocator->Commit());
    ALLOCATOR_PROPERTIES none = {0, 512, 1, 0}, one = {1, 512, 1, 0}, got = {};
    ASSERT_EQ(S_OK, allocator->SetProperties(&none, &got));
    EXPECT_EQ(VFW_E_BUFFER_NOTSET, allocator->Commit());
    ASSERT_EQ(S_OK, allocator->SetProperties(&one, &got));
    ASSERT_EQ(S_OK, allocator->Commit());
    EXPECT_EQ(VFW_E_ALREADY_COMMITTED, allocator->SetProperties(&one, &got));
    IMediaSample *sample = nullptr, *second = nullptr;
    ASSERT_EQ(S_OK, allocator->GetBuffer(&sample, nullptr, nullptr, 0));
    EXPECT_EQ(VFW_E_TIMEOUT, allocator->GetBuffer(&second, nullptr, nullptr, AM_GBF_NOWAIT));
    ASSERT_EQ(S_OK, allocator->Decommit());
    EXPECT_EQ(VFW_E_BUFFERS_OUTSTANDING, allocator->SetProperties(&one, &got));
    sample->Release();
    EXPECT_EQ(S_OK, allocator->SetProperties(&one, &got));
}

// A GetBuffer waiting while every buffer is out ends when one comes back or on Decommit.
TEST(MemAllocator, AWaitForABufferEndsWithAReturnOrADecommit) {
    struct Row {
        const char* end;
        std::function<void(IMemAllocator*, IMediaSample*)> act;
        HRESULT result;
    };
    const Row rows[] = {
        {"a returned buffer", [](IMemAllocator*, IMediaSample* held) { held->Release(); }, S_OK},
        {"Decommit", [](IMemAllocator* a, IMediaSample*) { a->Decommit(); }, VFW_E_NOT_COMMITTED},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.end);
        ComPtr<IMemAllocator> allocator = Allocator({1, 512, 1, 0});
        IMediaSample* held = nullptr;
        ASSERT_EQ(S_OK, allocator->GetBuffer(&held, nullptr, nullptr, 0));
        BYTE* heldBuffer = PointerOf(held);
        IMediaSample* got = nullptr;
        std::future<HRESULT> waiter =
            std::async(std::launch::async, [&] { return allocator->GetBuffer(&got, nullptr, nullptr, 0); });
        EXPECT_EQ(std::future_status::timeout, waiter.wait_for(std::chrono::milliseconds(100)));
        row.act(allocator.Get(), held);
        if (row.result == S_OK) held = nullptr;  // handed back by the row
        if (waiter.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            ADD_FAILURE() << "the waiting GetBuffer did not return";
            allocator->Decommit();  // the other ways to wake it, so that the test does not hang
            if (held) held->Release();
            held = nullptr;
        }
        EXPECT_EQ(row.result, waiter.get());
        if (got) {
            EXPECT_EQ(heldBuffer, PointerOf(got));
            got->Release();
        }
        if (held) held->Release();
    }
}

// Samples still out at Decommit keep their memory, even past the holder's last reference to
// the allocator, and the module stays loaded for them; the memory goes with the last sample
// back, unless a Commit came first.
TEST(MemAllocator, BuffersOutliveDecommitUntilTheLastSampleReturns) {
    const long objects = ModuleObjectCount();
    ComPtr<IMemAllocator> allocator = Allocator({2, 4096, 1, 0});
    IMediaSample *first = nullptr, *second = nullptr;
    ASSERT_EQ(S_OK, allocator->GetBuffer(&first, nullptr, nullptr, 0));
    ASSERT_EQ(S_OK, allocator->GetBuffer(&second, nullptr, nullptr, 0));
    BYTE* memory = PointerOf(first);
    ASSERT_EQ(S_OK, allocator->Decommit());
    ASSERT_EQ(S_OK, allocator->Commit());  // takes the same buffers up again
    first->Release();
    ASSERT_EQ(S_OK, allocator->Decommit());
    EXPECT_TRUE(Committed(memory));
    IMediaSample* refused = nullptr;
    EXPECT_EQ(VFW_E_NOT_COMMITTED, allocator->GetBuffer(&refused, nullptr, nullptr, 0));
    allocator.Reset();
    std::fill(PointerOf(second), PointerOf(second) + second->GetSize(), BYTE(7));
    EXPECT_EQ(S_OK, second->SetActualDataLength(100));
    EXPECT_TRUE(Committed(memory));
    EXPECT_EQ(objects + 1, ModuleObjectCount());
    second->Release();
    EXPECT_FALSE(Committed(memory));
    EXPECT_EQ(objects, ModuleObjectCount());
}

// What one holder of a buffer sets, the next holder of the same buffer does not find; while
// held, both interfaces read the same record, and a start without a stop reads as start + 1.
TEST(MemAllocator, AReturnedSampleComesBackWithoutTheLastHoldersProperties) {
    const MediaType type = WaveType(WAVE_FORMAT_PCM, 2, 44100, 16);
    ComPtr<IMemAllocator> allocator = Allocator({1, 64, 1, 0});
    for (bool first : {true, false}) {
        SCOPED_TRACE(first ? "first holder" : "next holder");
        ComPtr<IMediaSample> s;
        ComPtr<IMediaSample2> s2;
        ASSERT_EQ(S_OK, allocator->GetBuffer(s.GetAddressOf(), nullptr, nullptr, 0));
        ASSERT_EQ(S_OK, s.As(&s2));
        REFERENCE_TIME start = 30, stop = 0;
        LONGLONG mediaStart = 5, mediaStop = 9;
        AM_MEDIA_TYPE* got = nullptr;
        if (first) {
            s->SetTime(&start, nullptr);
            s->SetMediaTime(&mediaStart, &mediaStop);
            s->SetSyncPoint(TRUE);
            s->SetDiscontinuity(TRUE);
            s->SetMediaType(const_cast<AM_MEDIA_TYPE*>(&type.Get()));
            AM_SAMPLE2_PROPERTIES p = {};
            ASSERT_EQ(S_OK, s2->GetProperties(sizeof p, reinterpret_cast<BYTE*>(&p)));
            p.dwSampleFlags |= AM_SAMPLE_PREROLL;
            p.lActual = 12;
            ASSERT_EQ(S_OK, s2->SetProperties(sizeof p, reinterpret_cast<BYTE*>(&p)));
            EXPECT_EQ(VFW_S_NO_STOP_TIME, s->GetTime(&start, &stop));
            EXPECT_EQ(31, stop);
            EXPECT_EQ(S_OK, s->GetMediaTime(&mediaStart, &mediaStop));
            EXPECT_EQ(9, mediaStop);
            EXPECT_EQ(S_OK, s->GetMediaType(&got));
            EXPECT_TRUE(got && MediaTypesEqual(*got, type.Get()));
        } else {
            EXPECT_EQ(VFW_E_SAMPLE_TIME_NOT_SET, s->GetTime(&start, &stop));
            EXPECT_EQ(VFW_E_MEDIA_TIME_NOT_SET, s->GetMediaTime(&mediaStart, &mediaStop));
            EXPECT_EQ(S_FALSE, s->GetMediaType(&got));
        }
        const HRESULT flag = first ? S_OK : S_FALSE;
        EXPECT_EQ(flag, s->IsSyncPoint());
        EXPECT_EQ(flag, s->IsDiscontinuity());
        EXPECT_EQ(flag, s->IsPreroll());
        EXPECT_EQ(first ? 12 : 64, s->GetActualDataLength());
        if (got) DeleteMediaType(got);
    }
    ComPtr<IMediaSample> sample;
    ASSERT_EQ(S_OK, allocator->GetBuffer(sample.GetAddressOf(), nullptr, nullptr, 0));
    EXPECT_EQ(VFW_E_BUFFER_OVERFLOW, sample->SetActualDataLength(65));
    EXPECT_EQ(VFW_E_BUFFER_OVERFLOW, sample->SetActualDataLength(-1));
}

// A downstream pin that offers the platform's allocator and may take no other.
class PickySink : public SinkPin {
public:
    PickySink() {
        CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                         reinterpret_cast<void**>(own.GetAddressOf()));
    }
    bool refusesOthers = false;
    ComPtr<IMemAllocator> own;
    HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator** allocator) override {
        own.CopyTo(allocator);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator* allocator, BOOL) override {
        return refusesOthers && allocator != own.Get() ? VFW_E_NO_ALLOCATOR : S_OK;
    }
};

TEST(MemAllocator, TheOutputPinOffersOursAndTakesTheDownstreamOneWhenOursIsRefused) {
    for (bool refuses : {false, true}) {
        SCOPED_TRACE(refuses ? "refused" : "taken");
        SourcePin source;
        PickySink sink;
        sink.refusesOthers = refuses;
        HalfGainFilter::Owned filter;
        ASSERT_EQ(S_OK, source.ConnectTo(filter.f->InputPin(), WaveType(3, 2, 48000, 32).Get(), 4096, 4096));
        ASSERT_EQ(S_OK, filter.f->OutputPin()->Connect(&sink, nullptr));
        IMemAllocator* used = filter.f->OutputPin()->Allocator();
        EXPECT_EQ(refuses, used == sink.own.Get());  // else ours: there is no third
        ALLOCATOR_PROPERTIES props = {};
        ASSERT_EQ(S_OK, used->GetProperties(&props));
        EXPECT_GE(props.cbBuffer, 4096);  // sized by the filter, whichever allocator it is
        ASSERT_EQ(S_OK, filter.f->Pause());
        std::vector<float> data(16, 0.5f);
        ASSERT_EQ(S_OK, source.Push(data.data(), 64));
        EXPECT_EQ(std::vector<float>(16, 0.25f), sink.Floats());
        filter.f->Stop();
        source.Unplug();
        filter.f->OutputPin()->Disconnect();
    }
}

}  // namespace
