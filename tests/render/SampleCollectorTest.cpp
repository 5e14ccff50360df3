// The grabber callback of graph mode: what it makes of the filter's samples, and how it
// stops at the first failure.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "GraphClasses.h"
#include "SampleCollector.h"

namespace {

// A media sample that only has data.
class DataSample : public IMediaSample {
public:
    explicit DataSample(std::vector<BYTE> bytes) : bytes_(std::move(bytes)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE GetPointer(BYTE** data) override {
        *data = bytes_.data();
        return S_OK;
    }
    LONG STDMETHODCALLTYPE GetSize() override { return static_cast<LONG>(bytes_.size()); }
    LONG STDMETHODCALLTYPE GetActualDataLength() override { return static_cast<LONG>(bytes_.size()); }
    HRESULT STDMETHODCALLTYPE GetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsSyncPoint() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetSyncPoint(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsPreroll() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetPreroll(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActualDataLength(LONG) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMediaType(AM_MEDIA_TYPE**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMediaType(AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE IsDiscontinuity() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetDiscontinuity(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMediaTime(LONGLONG*, LONGLONG*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMediaTime(LONGLONG*, LONGLONG*) override { return E_NOTIMPL; }

private:
    std::vector<BYTE> bytes_;
};

// Keeps what it is given; refuses from the write numbered `failAt` (0 = never) on.
class KeepingSink : public FrameSink {
public:
    explicit KeepingSink(int failAt = 0) : failAt_(failAt) {}
    int Write(const float* frames, uint32_t count, std::string& error) override {
        if (++writes == failAt_) {
            error = "disk full";
            return -1;
        }
        counts.push_back(count);
        samples.insert(samples.end(), frames, frames + count * 2);
        return 0;
    }
    int writes = 0;
    std::vector<uint32_t> counts;
    std::vector<float> samples;

private:
    int failAt_;
};

template <class T>
std::vector<BYTE> Bytes(const std::vector<T>& values) {
    std::vector<BYTE> bytes(values.size() * sizeof(T));
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

}  // namespace

TEST(SampleCollector, SixteenBitSamplesBecomeFloatsAtFullScale32768) {
    KeepingSink sink;
    RenderStats stats;
    stats.Start(44100, 2, 2);
    SampleCollector collector(sink, stats, 2, 16, false);
    DataSample sample(Bytes<int16_t>({-32768, 32767, 16384, -1, 0, 1}));
    EXPECT_EQ(S_OK, collector.SampleCB(0.0, &sample));
    ASSERT_EQ(std::vector<uint32_t>{3}, sink.counts);
    const std::vector<float> expected{-1.0f, 32767 / 32768.0f, 0.5f, -1 / 32768.0f, 0.0f, 1 / 32768.0f};
    EXPECT_EQ(expected, sink.samples);
    EXPECT_EQ(3u, collector.Frames());
    EXPECT_EQ(3u, stats.FramesOut());
    EXPECT_FLOAT_EQ(1.0f, stats.PeakOut(0));
    EXPECT_FLOAT_EQ(32767 / 32768.0f, stats.PeakOut(1));
}

TEST(SampleCollector, WideIntegerSamplesBecomeFloatsAtTheirContainersFullScale) {
    KeepingSink sink;
    RenderStats stats;
    stats.Start(44100, 2, 2);
    SampleCollector packed(sink, stats, 2, 24, false);
    DataSample three(std::vector<BYTE>{0x00, 0x00, 0x80, 0xff, 0xff, 0x7f, 0x00, 0x00, 0x40, 0xff, 0xff, 0xff});
    EXPECT_EQ(S_OK, packed.SampleCB(0.0, &three));
    SampleCollector wide(sink, stats, 2, 32, false);
    DataSample four(Bytes<int32_t>({INT32_MIN, 0x40000000}));
    EXPECT_EQ(S_OK, wide.SampleCB(0.0, &four));
    const std::vector<float> expected{-1.0f, 8388607 / 8388608.0f, 0.5f, -1 / 8388608.0f, -1.0f, 0.5f};
    EXPECT_EQ(expected, sink.samples);
}

TEST(SampleCollector, FloatSamplesPassUnchangedAndAreCountedAcrossSamples) {
    KeepingSink sink;
    RenderStats stats;
    stats.Start(48000, 1, 2);
    SampleCollector collector(sink, stats, 2, 32, true);
    DataSample first(Bytes<float>({0.25f, -1.5f}));
    DataSample second(Bytes<float>({0.125f, 0.0f, -0.75f, 2.0f}));
    collector.SampleCB(0.0, &first);
    collector.SampleCB(0.0, &second);
    EXPECT_EQ((std::vector<float>{0.25f, -1.5f, 0.125f, 0.0f, -0.75f, 2.0f}), sink.samples);
    EXPECT_EQ(3u, collector.Frames());
    EXPECT_EQ(2u, stats.OverloadsOut());
    EXPECT_FALSE(collector.Failed());
}

TEST(SampleCollector, IntegerSamplesAtTheFormatsExtremesCountAsOverloads) {
    const struct {
        uint16_t bits;
        std::vector<BYTE> bytes;
        uint64_t overloads;
    } rows[] = {
        {16, Bytes<int16_t>({-32768, 32767, 32766, -32767, 0, 127}), 2},
        {24, {0x00, 0x00, 0x80, 0xff, 0xff, 0x7f, 0xfe, 0xff, 0x7f, 0x01, 0x00, 0x80}, 2},
        {32, Bytes<int32_t>({INT32_MIN, INT32_MAX, INT32_MAX - 1, INT32_MIN + 1}), 2},
        {32, Bytes<int32_t>({0x7f, -128, 0x7fff, -32768}), 0},
    };
    for (const auto& row : rows) {
        KeepingSink sink;
        RenderStats stats;
        stats.Start(44100, 2, 2);
        SampleCollector collector(sink, stats, 2, row.bits, false);
        DataSample sample(row.bytes);
        collector.SampleCB(0.0, &sample);
        ASSERT_FALSE(collector.Failed()) << collector.Error();
        EXPECT_EQ(row.overloads, stats.OverloadsOut()) << row.bits << " bits";
    }
}

TEST(SampleCollector, APartialFrameFailsTheRender) {
    KeepingSink sink;
    RenderStats stats;
    stats.Start(44100, 2, 2);
    SampleCollector collector(sink, stats, 2, 16, false);
    DataSample ragged(Bytes<int16_t>({1, 2, 3}));
    collector.SampleCB(0.0, &ragged);
    EXPECT_TRUE(collector.Failed());
    EXPECT_NE(std::string::npos, collector.Error().find("not whole 2-channel frames")) << collector.Error();
    EXPECT_TRUE(sink.samples.empty());
}

TEST(SampleCollector, TheFirstWriteFailureStopsCollecting) {
    KeepingSink sink(2);
    RenderStats stats;
    stats.Start(44100, 2, 2);
    SampleCollector collector(sink, stats, 2, 32, true);
    DataSample sample(Bytes<float>({0.5f, 0.5f}));
    collector.SampleCB(0.0, &sample);
    EXPECT_FALSE(collector.Failed());
    collector.SampleCB(0.0, &sample);
    EXPECT_TRUE(collector.Failed());
    EXPECT_EQ("disk full", collector.Error());
    collector.SampleCB(0.0, &sample);
    EXPECT_EQ(2, sink.writes) << "nothing is written after a failure";
    EXPECT_EQ(1u, collector.Frames());
}

TEST(SampleCollector, AnswersOnlyForItsCallbackInterface) {
    KeepingSink sink;
    RenderStats stats;
    SampleCollector collector(sink, stats, 2, 32, true);
    void* object = nullptr;
    EXPECT_EQ(S_OK, collector.QueryInterface(kIidSampleGrabberCB, &object));
    EXPECT_EQ(static_cast<ISampleGrabberCB*>(&collector), object);
    EXPECT_EQ(E_NOINTERFACE, collector.QueryInterface(IID_IMediaSample, &object));
    EXPECT_EQ(nullptr, object);
}
