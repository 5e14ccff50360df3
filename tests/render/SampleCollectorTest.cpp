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
        samples.insert(samples.end(), frames, frames + count * 2);
        return 0;
    }
    int writes = 0;
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

// Integers become floats at their container's full scale, floats pass unchanged; both
// formats' extremes count as overloads.
TEST(SampleCollector, ConvertsEveryEncodingAndCountsOverloads) {
    const struct {
        uint16_t bits;
        bool isFloat;
        std::vector<BYTE> bytes;
        std::vector<float> expected;
        uint64_t overloads;
    } rows[] = {
        {16, false, Bytes<int16_t>({-32768, 32767, 16384, -1, 0, 1}),
         {-1.0f, 32767 / 32768.0f, 0.5f, -1 / 32768.0f, 0.0f, 1 / 32768.0f}, 2},
        {24, false, {0x00, 0x00, 0x80, 0xff, 0xff, 0x7f, 0x00, 0x00, 0x40, 0xff, 0xff, 0xff},
         {-1.0f, 8388607 / 8388608.0f, 0.5f, -1 / 8388608.0f}, 2},
        {24, false, {0xfe, 0xff, 0x7f, 0x01, 0x00, 0x80}, {8388606 / 8388608.0f, -8388607 / 8388608.0f}, 0},
        {32, false, Bytes<int32_t>({INT32_MIN, INT32_MAX, 0x40000000, INT32_MIN + 1}),
         {-1.0f, 1.0f, 0.5f, -1.0f}, 2},
        {32, true, Bytes<float>({0.25f, -1.5f, 0.125f, 0.0f, -0.75f, 2.0f}), {0.25f, -1.5f, 0.125f, 0.0f, -0.75f, 2.0f}, 2},
    };
    for (const auto& row : rows) {
        KeepingSink sink;
        RenderStats stats;
        stats.Start(44100, 2, 2);
        SampleCollector collector(sink, stats, 2, row.bits, row.isFloat);
        const size_t half = row.bytes.size() / 2 / (row.bits / 4) * (row.bits / 4);  // whole frames in each sample
        DataSample first({row.bytes.begin(), row.bytes.begin() + half}), second({row.bytes.begin() + half, row.bytes.end()});
        EXPECT_EQ(S_OK, collector.SampleCB(0.0, &first));
        EXPECT_EQ(S_OK, collector.SampleCB(0.0, &second));
        ASSERT_FALSE(collector.Failed()) << collector.Error();
        EXPECT_EQ(row.expected, sink.samples) << row.bits << " bits";
        EXPECT_EQ(row.expected.size() / 2, collector.Frames());
        EXPECT_EQ(row.expected.size() / 2, stats.FramesOut());
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
