// Format negotiation and buffer sizing of the filter object.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "FilterHarness.h"

namespace {

constexpr uint32_t kMaxRate = ReverbEngine::kMaxSampleRate;

std::string Describe(const MediaType& type) {
    if (type.Get().cbFormat < 16 || !type.Get().pbFormat) return "a type without a wave format";
    const WAVEFORMATEX& w = WaveOf(type.Get());
    return "tag " + std::to_string(w.wFormatTag) + ", " + std::to_string(w.nChannels) + " x " +
           std::to_string(w.wBitsPerSample) + " bits at " + std::to_string(w.nSamplesPerSec) + ", block of " +
           std::to_string(type.Get().cbFormat);
}

MediaType Spoiled(MediaType type, const std::function<void(AM_MEDIA_TYPE&)>& spoil) {
    spoil(*type.Raw());
    return type;
}

WAVEFORMATEX& Wave(AM_MEDIA_TYPE& type) { return *reinterpret_cast<WAVEFORMATEX*>(type.pbFormat); }

struct Accepts {
    MediaType type;
    HRESULT expected;
};

TEST(InputType, TakesFloat32AndIntegerPcmOfOneOrTwoChannelsAndRefusesTheRest) {
    const Accepts rows[] = {
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32), S_OK},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, kMaxRate, 32), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 1, 96000, 16), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 2, 44100, 24), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 2, 44100, 32), S_OK},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32, 32), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 1, 48000, 16, 16), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 2, 48000, 24, 24), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 1, 48000, 32, 24), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 2, 48000, 32, 0), S_OK},  // 0: the container's bits
        // A wave format without its extra-size field is enough.
        {Spoiled(WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { t.cbFormat = 16; }), S_OK},
        {WaveType(WAVE_FORMAT_PCM, 2, 44100, 8), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_PCM, 3, 44100, 24), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 64), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 3, 44100, 32), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 0, 44100, 32), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 0, 32), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, kMaxRate + 1, 32), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_PCM, 2, 48000, 24, 20), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_PCM, 2, 48000, 32, 20), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_PCM, 2, 48000, 40, 40), E_INVALIDARG},
        {WaveType(WAVE_FORMAT_ALAW, 2, 48000, 16, 16), E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { t.majortype = MEDIATYPE_Video; }), E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { t.bTemporalCompression = TRUE; }), E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { t.cbFormat = 15; }), E_INVALIDARG},
        // An extensible block cut short of its subformat.
        {Spoiled(WaveType(3, 2, 48000, 32, 32), [](AM_MEDIA_TYPE& t) { t.cbFormat = 18; }), E_INVALIDARG},
        // Wave blocks a host may offer whose fields disagree or name what cannot be rendered.
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { Wave(t).nBlockAlign = 0; }), E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { Wave(t).nBlockAlign = 16; }), E_INVALIDARG},
        {Spoiled(WaveType(1, 2, 44100, 24), [](AM_MEDIA_TYPE& t) { Wave(t).nBlockAlign = 65535; }), E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { Wave(t).nSamplesPerSec = 0xFFFFFFFFu; }),
         E_INVALIDARG},
        {Spoiled(WaveType(1, 2, 44100, 16), [](AM_MEDIA_TYPE& t) { Wave(t).wFormatTag = 0x55; }), E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32), [](AM_MEDIA_TYPE& t) { Wave(t).wFormatTag = WAVE_FORMAT_EXTENSIBLE; }),
         E_INVALIDARG},
        {Spoiled(WaveType(3, 2, 44100, 32),
                 [](AM_MEDIA_TYPE& t) {
                     CoTaskMemFree(t.pbFormat);
                     t.pbFormat = nullptr;
                 }),
         E_INVALIDARG},
    };
    FilterHarness h;
    for (const Accepts& row : rows) EXPECT_EQ(row.expected, h.filter->CheckInputType(&row.type.Get())) << Describe(row.type);
}

TEST(Transform, NeedsTheSameFormatAndRateAndTheChosenOutputLayout) {
    struct Row {
        MediaType in, out;
        HRESULT expected;
    };
    const Row stereoRows[] = {
        {WaveType(3, 1, 44100, 32), WaveType(3, 2, 44100, 32), S_OK},
        {WaveType(3, 1, 44100, 32), WaveType(3, 1, 44100, 32), E_INVALIDARG},
        {WaveType(3, 1, 44100, 32), WaveType(3, 2, 48000, 32), E_INVALIDARG},
        {WaveType(3, 1, 44100, 32), WaveType(1, 2, 44100, 32), E_INVALIDARG},
        {WaveType(1, 1, 44100, 16), WaveType(1, 2, 44100, 8), E_INVALIDARG},
        {WaveType(1, 1, 44100, 24), WaveType(1, 2, 44100, 24), S_OK},
        // 24 bits in 32-bit containers stay so; plain 32-bit output would have 8 more bits.
        {WaveType(1, 1, 48000, 32, 24), WaveType(1, 2, 48000, 32, 24), S_OK},
        {WaveType(1, 1, 48000, 32, 24), WaveType(1, 2, 48000, 32, 32), E_INVALIDARG},
    };
    FilterHarness h;
    for (const Row& row : stereoRows)
        EXPECT_EQ(row.expected, h.filter->CheckTransform(&row.in.Get(), &row.out.Get())) << Describe(row.in) << " to " << Describe(row.out);
    EXPECT_EQ(1, h.filter->Engine().GetStereoOutput());  // the first check stored stereo
    h.control->put_StereoOutput(0);
    const MediaType stereo = WaveType(3, 2, 44100, 32), mono = WaveType(3, 1, 44100, 32);
    EXPECT_EQ(S_OK, h.filter->CheckTransform(&stereo.Get(), &mono.Get()));
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckTransform(&mono.Get(), &stereo.Get()));
    EXPECT_EQ(E_POINTER, h.filter->CheckTransform(nullptr, &mono.Get()));
    EXPECT_EQ(E_POINTER, h.filter->CheckTransform(&stereo.Get(), nullptr));
}

TEST(OutputType, TheInputsFormatOnceConnectedInTheChosenLayoutPlainUnlessWidePcm) {
    struct Row {
        MediaType in;
        int stereoOutput;  // -1: undecided
        MediaType offered;
    };
    const Row rows[] = {
        {WaveType(3, 1, 44100, 32), -1, WaveType(3, 2, 44100, 32)},
        {WaveType(3, 2, 48000, 32, 32), 0, WaveType(3, 1, 48000, 32)},
        {WaveType(1, 2, 44100, 24), 1, WaveType(1, 2, 44100, 24)},
        {WaveType(1, 1, 48000, 16, 16), 1, WaveType(1, 2, 48000, 16)},
        {WaveType(1, 1, 48000, 32, 24), -1, WaveType(1, 2, 48000, 32, 24)},
    };
    for (const Row& row : rows) {
        FilterHarness h;
        if (row.stereoOutput >= 0) h.control->put_StereoOutput(row.stereoOutput);  // else undecided
        MediaType offered;
        EXPECT_EQ(E_UNEXPECTED, h.filter->GetMediaType(0, offered.Raw()));  // nothing to offer yet
        ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), row.in.Get(), 4096, 4096)) << Describe(row.in);
        EXPECT_EQ(E_INVALIDARG, h.filter->GetMediaType(-1, offered.Raw()));
        EXPECT_EQ(VFW_S_NO_MORE_ITEMS, h.filter->GetMediaType(1, offered.Raw()));
        ASSERT_EQ(S_OK, h.filter->GetMediaType(0, offered.Raw())) << Describe(row.in);
        EXPECT_TRUE(row.offered == offered) << Describe(row.in) << " offers " << Describe(offered);
        EXPECT_EQ(S_OK, h.filter->CheckTransform(&row.in.Get(), &offered.Get())) << Describe(row.in);
    }
}

// Records what the filter asks for and grants a chosen buffer size.
class FakeAllocator : public IMemAllocator {
public:
    explicit FakeAllocator(long grant) : grantSize(grant) {}
    long grantSize;  // -1: grant what was asked
    ALLOCATOR_PROPERTIES asked = {};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override {
        asked = *actual = *request;
        if (grantSize >= 0) actual->cbBuffer = grantSize;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetProperties(ALLOCATOR_PROPERTIES*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Commit() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Decommit() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetBuffer(IMediaSample**, REFERENCE_TIME*, REFERENCE_TIME*, DWORD) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ReleaseBuffer(IMediaSample*) override { return E_NOTIMPL; }
};

TEST(BufferSize, FollowsTheUpstreamBufferScaledToTheOutputAndNeedsHalfAKilobyte) {
    struct Row {
        uint16_t inChannels;  // 0: no input connected
        int stereoOutput;  // -1: undecided
        long upstream, requested, granted;
        long asked, buffers;
        HRESULT expected;
    };
    const Row rows[] = {
        {1, -1, 3000, 100, -1, 6000, 2, S_OK},  // mono to stereo doubles the upstream buffer
        {2, 0, 3000, 0, -1, 3000, 2, S_OK},     // stereo to mono keeps it
        {0, -1, 0, 4096, 511, 4096, 1, E_FAIL},
        {0, -1, 0, 4096, 512, 4096, 1, S_OK},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << row.inChannels << " channels in, " << row.granted << " granted");
        FilterHarness h;
        if (row.stereoOutput >= 0) h.control->put_StereoOutput(row.stereoOutput);  // else undecided
        if (row.inChannels != 0) {
            ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), WaveType(3, row.inChannels, 44100, 32).Get(),
                                               row.upstream, row.upstream));
        }
        FakeAllocator allocator(row.granted);
        ALLOCATOR_PROPERTIES request = {1, row.requested, 1, 0};
        ASSERT_EQ(row.expected, h.filter->DecideBufferSize(&allocator, &request));
        EXPECT_EQ(row.asked, allocator.asked.cbBuffer);
        EXPECT_EQ(row.buffers, allocator.asked.cBuffers);
        if (row.expected == S_OK) {
            EXPECT_EQ(row.granted < 0 ? row.asked : row.granted, request.cbBuffer);
        }
    }
}

// The editor reads the connection's formats; a new upstream format needs downstream's consent
// unless it is the current one, or a graph to reconnect the output.
TEST(Connection, FormatsAreStoredForTheEditorAndChangesNeedDownstreamConsentOrAGraph) {
    FilterHarness h;
    WAVEFORMATEX format = {};
    for (int which : {0, 1, 2}) EXPECT_EQ(VFW_E_NOT_CONNECTED, h.control->GetConnectionFormat(&format, which));
    const MediaType mono = WaveType(1, 1, 32000, 16), other = WaveType(1, 1, 48000, 16);
    ASSERT_EQ(S_OK, h.ConnectAndPause(mono, 2048, 2048));
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&format, 0));
    EXPECT_EQ(0, std::memcmp(&WaveOf(mono.Get()), &format, sizeof format));
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&format, 1));
    EXPECT_EQ(0, std::memcmp(&WaveOf(WaveType(1, 2, 32000, 16).Get()), &format, sizeof format));
    EXPECT_EQ(E_POINTER, h.control->GetConnectionFormat(nullptr, 0));

    IPin* input = h.filter->InputPin();
    EXPECT_EQ(S_OK, input->QueryAccept(&other.Get()));
    h.sink.acceptTypes = false;
    EXPECT_EQ(S_FALSE, input->QueryAccept(&other.Get()));
    EXPECT_EQ(S_OK, input->QueryAccept(&mono.Get()));

    // Reconnected to 48 kHz, the connected output would still carry 32 kHz, and only the
    // graph can reconnect it.
    h.sink.acceptTypes = true;
    h.base->Stop();
    h.source.Unplug();
    EXPECT_EQ(VFW_E_NOT_IN_GRAPH, input->ReceiveConnection(&h.source, &other.Get()));
    EXPECT_FALSE(h.filter->InputPin()->IsConnected());
    EXPECT_EQ(S_OK, h.source.ConnectTo(input, mono.Get(), 2048, 2048));
}

}  // namespace
