// Format negotiation and buffer sizing of the filter object.
#include <gtest/gtest.h>

#include <cstring>

#include "FilterHarness.h"
#include "MediaType.h"
#include "TransformInputPin.h"

namespace {

// A float or PCM type wrapped in WAVE_FORMAT_EXTENSIBLE, as some parsers offer them.
struct ExtensibleType {
    // `validBits` -1: the container's bits; 0 leaves them unnamed.
    ExtensibleType(uint16_t subTag, uint16_t channels, uint16_t bits, int validBits = -1) {
        ext.Format.wFormatTag = WAVE_FORMAT_EXTENSIBLE;
        ext.Format.nChannels = channels;
        ext.Format.nSamplesPerSec = 48000;
        ext.Format.wBitsPerSample = bits;
        ext.Format.nBlockAlign = static_cast<WORD>(bits / 8 * channels);
        ext.Format.nAvgBytesPerSec = ext.Format.nBlockAlign * 48000;
        ext.Format.cbSize = 22;
        ext.Samples.wValidBitsPerSample = static_cast<WORD>(validBits < 0 ? bits : validBits);
        ext.dwChannelMask = channels == 2 ? 0x3u : 0x4u;  // front left and right, or front centre
        ext.SubFormat = {subTag, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
        mt.majortype = MEDIATYPE_Audio;
        mt.subtype = MEDIASUBTYPE_PCM;
        mt.formattype = FORMAT_WaveFormatEx;
        mt.cbFormat = sizeof(ext);
        mt.pbFormat = reinterpret_cast<BYTE*>(&ext);
    }
    ExtensibleType(const ExtensibleType&) = delete;
    ExtensibleType& operator=(const ExtensibleType&) = delete;
    WAVEFORMATEXTENSIBLE ext = {};
    AM_MEDIA_TYPE mt = {};
};

// Records what the filter asks for and grants a chosen buffer size.
class FakeAllocator : public IMemAllocator {
public:
    long grantSize = -1;  // -1: grant what was asked
    ALLOCATOR_PROPERTIES asked = {};

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override {
        asked = *request;
        *actual = *request;
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

template <class Type>
HRESULT CheckInput(FilterHarness& h, const Type& type) {
    return h.filter->CheckInputType(&type.mt);
}

HRESULT CheckPair(FilterHarness& h, const AudioType& in, const AudioType& out) {
    return h.filter->CheckTransform(&in.mt, &out.mt);
}

}  // namespace

// One row of the input table; extensible rows run at 48 kHz.
struct InputRow {
    bool extensible;
    uint16_t tag, channels;
    uint32_t rate;
    uint16_t bits, validBits;
    HRESULT expected;
};

TEST(InputType, TakesFloat32AndIntegerPcmOfOneOrTwoChannelsAndRefusesTheRest) {
    constexpr uint32_t kMax = ReverbEngine::kMaxSampleRate;
    const InputRow rows[] = {
        {false, WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32, 0, S_OK},
        {false, WAVE_FORMAT_IEEE_FLOAT, 2, kMax, 32, 0, S_OK},
        {false, WAVE_FORMAT_PCM, 1, 96000, 16, 0, S_OK},
        {false, WAVE_FORMAT_PCM, 2, 96000, 16, 0, S_OK},
        {false, WAVE_FORMAT_PCM, 1, 44100, 24, 0, S_OK},
        {false, WAVE_FORMAT_PCM, 2, 44100, 32, 0, S_OK},
        {true, WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32, 32, S_OK},
        {true, WAVE_FORMAT_PCM, 1, 48000, 16, 16, S_OK},
        {true, WAVE_FORMAT_PCM, 2, 48000, 24, 24, S_OK},
        {true, WAVE_FORMAT_PCM, 1, 48000, 32, 24, S_OK},
        {true, WAVE_FORMAT_PCM, 2, 48000, 32, 32, S_OK},
        {true, WAVE_FORMAT_PCM, 2, 48000, 32, 0, S_OK},  // 0: the container's bits
        {false, WAVE_FORMAT_PCM, 2, 44100, 8, 0, E_INVALIDARG},
        {false, WAVE_FORMAT_PCM, 3, 44100, 24, 0, E_INVALIDARG},
        {false, WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 64, 0, E_INVALIDARG},
        {false, WAVE_FORMAT_IEEE_FLOAT, 3, 44100, 32, 0, E_INVALIDARG},
        {false, WAVE_FORMAT_IEEE_FLOAT, 0, 44100, 32, 0, E_INVALIDARG},
        {false, WAVE_FORMAT_IEEE_FLOAT, 2, 0, 32, 0, E_INVALIDARG},
        {false, WAVE_FORMAT_IEEE_FLOAT, 2, kMax + 1, 32, 0, E_INVALIDARG},
        {true, WAVE_FORMAT_PCM, 2, 48000, 24, 20, E_INVALIDARG},
        {true, WAVE_FORMAT_PCM, 2, 48000, 32, 20, E_INVALIDARG},
        {true, WAVE_FORMAT_PCM, 2, 48000, 40, 40, E_INVALIDARG},
        {true, WAVE_FORMAT_ALAW, 2, 48000, 16, 16, E_INVALIDARG},
    };
    FilterHarness h;
    for (const InputRow& row : rows) {
        SCOPED_TRACE(testing::Message() << (row.extensible ? "extensible " : "") << "tag " << row.tag << ", "
                                        << row.channels << " x " << row.bits << "/" << row.validBits << " at "
                                        << row.rate);
        if (row.extensible) {
            EXPECT_EQ(row.expected, CheckInput(h, ExtensibleType(row.tag, row.channels, row.bits, row.validBits)));
        } else {
            AudioType plain(row.tag, row.channels, row.rate, row.bits);
            EXPECT_EQ(row.expected, CheckInput(h, plain));
        }
    }
}

TEST(InputType, RefusesNonAudioCompressedAndTruncatedTypes) {
    FilterHarness h;
    AudioType video(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    video.mt.majortype = MEDIATYPE_Video;
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckInputType(&video.mt));
    AudioType compressed(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    compressed.mt.bTemporalCompression = TRUE;
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckInputType(&compressed.mt));
    AudioType truncated(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    truncated.mt.cbFormat = 15;
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckInputType(&truncated.mt));
    AudioType noBlock(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    noBlock.mt.pbFormat = nullptr;
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckInputType(&noBlock.mt));
    AudioType shortForm(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    shortForm.mt.cbFormat = 16;  // a wave format without its extra-size field is enough
    EXPECT_EQ(S_OK, h.filter->CheckInputType(&shortForm.mt));
}

TEST(InputType, ExtensibleBlockCutShortIsRefused) {
    FilterHarness h;
    ExtensibleType cut(WAVE_FORMAT_IEEE_FLOAT, 2, 32);
    cut.mt.cbFormat = sizeof(WAVEFORMATEX);  // the subformat is missing
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckInputType(&cut.mt));
}

TEST(Transform, NeedsTheSameFormatAndRateAndTheChosenOutputLayout) {
    FilterHarness h;
    AudioType monoIn(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32);
    EXPECT_EQ(S_OK, CheckPair(h, monoIn, AudioType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32)));
    EXPECT_EQ(1, h.filter->Engine().GetStereoOutput());  // the first check stored stereo
    EXPECT_EQ(E_INVALIDARG, CheckPair(h, monoIn, AudioType(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32)));
    EXPECT_EQ(E_INVALIDARG, CheckPair(h, monoIn, AudioType(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32)));
    EXPECT_EQ(E_INVALIDARG, CheckPair(h, monoIn, AudioType(WAVE_FORMAT_PCM, 2, 44100, 32)));
    EXPECT_EQ(E_INVALIDARG, CheckPair(h, AudioType(WAVE_FORMAT_PCM, 1, 44100, 16), AudioType(WAVE_FORMAT_PCM, 2, 44100, 8)));
    EXPECT_EQ(S_OK, CheckPair(h, AudioType(WAVE_FORMAT_PCM, 1, 44100, 24), AudioType(WAVE_FORMAT_PCM, 2, 44100, 24)));
    // 24 bits in 32-bit containers stay so; plain 32-bit output would have 8 more bits.
    ExtensibleType in24of32(WAVE_FORMAT_PCM, 1, 32, 24);
    ExtensibleType out24of32(WAVE_FORMAT_PCM, 2, 32, 24);
    ExtensibleType out32(WAVE_FORMAT_PCM, 2, 32, 32);
    EXPECT_EQ(S_OK, h.filter->CheckTransform(&in24of32.mt, &out24of32.mt));
    EXPECT_EQ(E_INVALIDARG, h.filter->CheckTransform(&in24of32.mt, &out32.mt));
    h.control->put_StereoOutput(0);
    EXPECT_EQ(S_OK, CheckPair(h, AudioType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32), AudioType(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32)));
    EXPECT_EQ(E_INVALIDARG, CheckPair(h, monoIn, AudioType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32)));
}

TEST(OutputType, OfferedOnlyOnceTheInputIsConnected) {
    FilterHarness h;
    MediaType offered;
    EXPECT_EQ(E_UNEXPECTED, h.filter->GetMediaType(0, offered.Raw()));
    AudioType mono(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), mono.mt, 4096, 4096));
    EXPECT_EQ(E_INVALIDARG, h.filter->GetMediaType(-1, offered.Raw()));
    EXPECT_EQ(VFW_S_NO_MORE_ITEMS, h.filter->GetMediaType(1, offered.Raw()));
    ASSERT_EQ(S_OK, h.filter->GetMediaType(0, offered.Raw()));
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(offered.Get().pbFormat);
    EXPECT_EQ(WAVE_FORMAT_IEEE_FLOAT, wave->wFormatTag);
    EXPECT_EQ(2, wave->nChannels);
    EXPECT_EQ(8, wave->nBlockAlign);
    EXPECT_EQ(44100u * 8, wave->nAvgBytesPerSec);
    EXPECT_EQ(0, wave->cbSize);
}

TEST(OutputType, ExtensibleInputIsOfferedAsAConsistentPlainFormat) {
    FilterHarness h;
    ExtensibleType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), stereo.mt, 4096, 4096));
    h.control->put_StereoOutput(0);
    MediaType offered;
    ASSERT_EQ(S_OK, h.filter->GetMediaType(0, offered.Raw()));
    ASSERT_GE(offered.Get().cbFormat, sizeof(WAVEFORMATEX));
    const auto* wave = reinterpret_cast<const WAVEFORMATEX*>(offered.Get().pbFormat);
    EXPECT_EQ(WAVE_FORMAT_IEEE_FLOAT, wave->wFormatTag);
    EXPECT_EQ(1, wave->nChannels);
    EXPECT_EQ(4, wave->nBlockAlign);
    EXPECT_EQ(48000u * 4, wave->nAvgBytesPerSec);
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_IEEE_FLOAT, offered.Get().subtype));
    EXPECT_EQ(S_OK, h.filter->CheckTransform(&stereo.mt, &offered.Get()));
    WAVEFORMATEX stored = {};
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&stored, 0));
    EXPECT_EQ(WAVE_FORMAT_IEEE_FLOAT, stored.wFormatTag);
}

TEST(OutputType, WideExtensiblePcmIsOfferedExtensibleWithItsValidBits) {
    FilterHarness h;
    ExtensibleType mono(WAVE_FORMAT_PCM, 1, 32, 24);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), mono.mt, 4096, 4096));
    MediaType offered;
    ASSERT_EQ(S_OK, h.filter->GetMediaType(0, offered.Raw()));
    ASSERT_EQ(sizeof(WAVEFORMATEXTENSIBLE), offered.Get().cbFormat);
    const auto* ext = reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(offered.Get().pbFormat);
    EXPECT_EQ(WAVE_FORMAT_EXTENSIBLE, ext->Format.wFormatTag);
    EXPECT_EQ(2, ext->Format.nChannels);
    EXPECT_EQ(8, ext->Format.nBlockAlign);
    EXPECT_EQ(48000u * 8, ext->Format.nAvgBytesPerSec);
    EXPECT_EQ(22, ext->Format.cbSize);
    EXPECT_EQ(24, ext->Samples.wValidBitsPerSample);
    EXPECT_EQ(DWORD(SPEAKER_FRONT_LEFT | SPEAKER_FRONT_RIGHT), ext->dwChannelMask);
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_PCM, ext->SubFormat));
    EXPECT_TRUE(IsEqualGUID(MEDIASUBTYPE_PCM, offered.Get().subtype));
    EXPECT_EQ(S_OK, h.filter->CheckTransform(&mono.mt, &offered.Get()));

    // Plain wide input stays plain.
    h.source.Unplug();
    AudioType plain(WAVE_FORMAT_PCM, 2, 44100, 24);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), plain.mt, 4096, 4096));
    MediaType plainOffer;
    ASSERT_EQ(S_OK, h.filter->GetMediaType(0, plainOffer.Raw()));
    EXPECT_EQ(sizeof(WAVEFORMATEX), plainOffer.Get().cbFormat);
    EXPECT_EQ(WAVE_FORMAT_PCM, reinterpret_cast<const WAVEFORMATEX*>(plainOffer.Get().pbFormat)->wFormatTag);
}

TEST(BufferSize, MonoToStereoDoublesTheUpstreamBuffer) {
    FilterHarness h;
    AudioType mono(WAVE_FORMAT_IEEE_FLOAT, 1, 44100, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), mono.mt, 3000, 3000));
    FakeAllocator alloc;
    ALLOCATOR_PROPERTIES request = {1, 100, 1, 0};
    ASSERT_EQ(S_OK, h.filter->DecideBufferSize(&alloc, &request));
    EXPECT_EQ(6000, alloc.asked.cbBuffer);  // the upstream allocator's size, not the request
    EXPECT_EQ(2, alloc.asked.cBuffers);
    EXPECT_EQ(6000, request.cbBuffer);
}

TEST(BufferSize, StereoToMonoKeepsTheUpstreamSize) {
    FilterHarness h;
    h.control->put_StereoOutput(0);
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), stereo.mt, 3000, 3000));
    FakeAllocator alloc;
    ALLOCATOR_PROPERTIES request = {};
    ASSERT_EQ(S_OK, h.filter->DecideBufferSize(&alloc, &request));
    EXPECT_EQ(3000, alloc.asked.cbBuffer);
}

TEST(BufferSize, GrantBelow512BytesFails) {
    FilterHarness h;
    FakeAllocator alloc;
    alloc.grantSize = 511;
    ALLOCATOR_PROPERTIES request = {1, 4096, 1, 0};
    EXPECT_EQ(E_FAIL, h.filter->DecideBufferSize(&alloc, &request));
    alloc.grantSize = 512;
    request = {1, 4096, 1, 0};
    EXPECT_EQ(S_OK, h.filter->DecideBufferSize(&alloc, &request));
    EXPECT_EQ(512, request.cbBuffer);
}

TEST(Connection, FormatsAreStoredAndAnnouncedToTheEditor) {
    FilterHarness h;
    WAVEFORMATEX format = {};
    EXPECT_EQ(VFW_E_NOT_CONNECTED, h.control->GetConnectionFormat(&format, 0));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, h.control->GetConnectionFormat(&format, 1));
    EXPECT_EQ(VFW_E_NOT_CONNECTED, h.control->GetConnectionFormat(&format, 2));
    AudioType mono(WAVE_FORMAT_PCM, 1, 32000, 16);
    ASSERT_EQ(S_OK, h.ConnectAndPause(mono.mt, 2048, 2048));
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&format, 0));
    EXPECT_EQ(1, format.nChannels);
    EXPECT_EQ(32000u, format.nSamplesPerSec);
    EXPECT_EQ(2, format.nBlockAlign);
    ASSERT_EQ(S_OK, h.control->GetConnectionFormat(&format, 1));
    EXPECT_EQ(WAVE_FORMAT_PCM, format.wFormatTag);
    EXPECT_EQ(2, format.nChannels);
    EXPECT_EQ(4, format.nBlockAlign);
    EXPECT_EQ(128000u, format.nAvgBytesPerSec);
    EXPECT_EQ(0, format.cbSize);
    EXPECT_EQ(E_POINTER, h.control->GetConnectionFormat(nullptr, 0));
}

TEST(Connection, UpstreamFormatChangeNeedsDownstreamConsent) {
    FilterHarness h;
    AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    ASSERT_EQ(S_OK, h.ConnectAndPause(stereo.mt, 4096, 4096));
    IPin* input = h.filter->InputPin();
    AudioType other(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    EXPECT_EQ(S_OK, input->QueryAccept(&other.mt));
    h.sink.acceptTypes = false;
    EXPECT_EQ(S_FALSE, input->QueryAccept(&other.mt));
    EXPECT_EQ(S_OK, input->QueryAccept(&stereo.mt));  // the current pair needs no consent
}

TEST(Connection, InputTypeTheOutputCannotTakeNeedsAGraphToReconnect) {
    FilterHarness h;
    AudioType first(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
    ASSERT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), first.mt, 4096, 4096));
    ASSERT_EQ(S_OK, h.filter->OutputPin()->Connect(&h.sink, nullptr));
    h.source.Unplug();
    // Downstream would accept 48 kHz, but the connected output still carries 44.1 kHz and
    // only the graph can reconnect it.
    AudioType second(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    EXPECT_EQ(VFW_E_NOT_IN_GRAPH, h.filter->InputPin()->ReceiveConnection(&h.source, &second.mt));
    EXPECT_FALSE(h.filter->InputPin()->IsConnected());
    EXPECT_EQ(S_OK, h.source.ConnectTo(h.filter->InputPin(), first.mt, 4096, 4096));
}
