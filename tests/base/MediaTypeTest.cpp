// Media-type memory helpers and the owning MediaType value.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmreg.h>
#include <cstring>
#include "MediaType.h"

namespace {

// An IUnknown that counts its references, to see the helpers keep pUnk balanced.
class CountedUnknown : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void** out) override {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 1;
};

AM_MEDIA_TYPE FloatAudio(WORD channels) {
    AM_MEDIA_TYPE mt = {};
    mt.majortype = MEDIATYPE_Audio;
    mt.subtype = MEDIASUBTYPE_IEEE_FLOAT;
    mt.formattype = FORMAT_WaveFormatEx;
    mt.bFixedSizeSamples = TRUE;
    mt.cbFormat = sizeof(WAVEFORMATEX);
    auto* wf = static_cast<WAVEFORMATEX*>(CoTaskMemAlloc(sizeof(WAVEFORMATEX)));
    *wf = {WAVE_FORMAT_IEEE_FLOAT, channels, 48000, 48000u * 4 * channels, static_cast<WORD>(4 * channels), 32, 0};
    mt.pbFormat = reinterpret_cast<BYTE*>(wf);
    return mt;
}

TEST(MediaTypeHelpers, CopyIsDeepAndCountsTheUnknown) {
    CountedUnknown unk;
    AM_MEDIA_TYPE src = FloatAudio(2);
    src.pUnk = &unk;
    AM_MEDIA_TYPE dst;
    ASSERT_EQ(S_OK, CopyMediaType(&dst, &src));
    EXPECT_NE(src.pbFormat, dst.pbFormat);
    EXPECT_EQ(0, std::memcmp(src.pbFormat, dst.pbFormat, src.cbFormat));
    EXPECT_TRUE(MediaTypesEqual(src, dst));
    EXPECT_EQ(2u, unk.refs);
    // Changing the copy leaves the original alone.
    reinterpret_cast<WAVEFORMATEX*>(dst.pbFormat)->nChannels = 1;
    EXPECT_EQ(2, reinterpret_cast<WAVEFORMATEX*>(src.pbFormat)->nChannels);
    EXPECT_FALSE(MediaTypesEqual(src, dst));
    FreeMediaType(dst);
    EXPECT_EQ(nullptr, dst.pbFormat);
    EXPECT_EQ(0u, dst.cbFormat);
    EXPECT_EQ(nullptr, dst.pUnk);
    EXPECT_EQ(1u, unk.refs);
    FreeMediaType(src);
    EXPECT_EQ(0u, unk.refs);
}

TEST(MediaTypeHelpers, CopyWithoutFormatBlock) {
    AM_MEDIA_TYPE src = {};
    src.majortype = MEDIATYPE_Audio;
    src.cbFormat = 16;  // a size without a block is not copied as if it had one
    AM_MEDIA_TYPE dst;
    ASSERT_EQ(S_OK, CopyMediaType(&dst, &src));
    EXPECT_EQ(nullptr, dst.pbFormat);
    EXPECT_EQ(0u, dst.cbFormat);
    EXPECT_EQ(E_POINTER, CopyMediaType(nullptr, &src));
    EXPECT_EQ(E_POINTER, CopyMediaType(&dst, nullptr));
}

TEST(MediaTypeHelpers, CreateAndDeleteRoundTrip) {
    AM_MEDIA_TYPE src = FloatAudio(1);
    AM_MEDIA_TYPE* made = CreateMediaType(&src);
    ASSERT_NE(nullptr, made);
    EXPECT_NE(src.pbFormat, made->pbFormat);
    EXPECT_TRUE(MediaTypesEqual(src, *made));
    DeleteMediaType(made);
    DeleteMediaType(nullptr);
    EXPECT_EQ(nullptr, CreateMediaType(nullptr));
    FreeMediaType(src);
}

TEST(MediaTypeHelpers, EqualityLooksAtEveryIdentifyingPart) {
    AM_MEDIA_TYPE a = FloatAudio(2);
    MediaType b(a);
    b.Raw()->subtype = MEDIASUBTYPE_PCM;
    EXPECT_FALSE(MediaTypesEqual(a, b.Get()));
    b.Set(&a);
    b.Raw()->formattype = FORMAT_None;
    EXPECT_FALSE(MediaTypesEqual(a, b.Get()));
    b.Set(&a);
    b.Raw()->majortype = MEDIATYPE_Video;
    EXPECT_FALSE(MediaTypesEqual(a, b.Get()));
    b.Set(&a);
    b.Raw()->cbFormat = 16;  // shorter block with the same leading bytes
    EXPECT_FALSE(MediaTypesEqual(a, b.Get()));
    b.Raw()->cbFormat = sizeof(WAVEFORMATEX);
    EXPECT_TRUE(MediaTypesEqual(a, b.Get()));
    FreeMediaType(a);
}

TEST(MediaTypeHelpers, PartialTypesMatchOnTheirNamedParts) {
    AM_MEDIA_TYPE full = FloatAudio(2);
    AM_MEDIA_TYPE partial = {};
    EXPECT_TRUE(MediaTypeMatchesPartial(full, partial));
    partial.majortype = MEDIATYPE_Audio;
    EXPECT_TRUE(MediaTypeMatchesPartial(full, partial));
    partial.subtype = MEDIASUBTYPE_PCM;
    EXPECT_FALSE(MediaTypeMatchesPartial(full, partial));
    partial.subtype = MEDIASUBTYPE_IEEE_FLOAT;
    partial.formattype = FORMAT_WaveFormatEx;
    EXPECT_TRUE(MediaTypeMatchesPartial(full, partial));
    partial.majortype = MEDIATYPE_Video;
    EXPECT_FALSE(MediaTypeMatchesPartial(full, partial));
    AM_MEDIA_TYPE mono = FloatAudio(1);
    EXPECT_FALSE(MediaTypeMatchesPartial(full, mono));
    EXPECT_TRUE(MediaTypeMatchesPartial(full, full));
    FreeMediaType(mono);
    FreeMediaType(full);
}

TEST(MediaTypeValue, CopiesOwnTheirFormat) {
    AM_MEDIA_TYPE raw = FloatAudio(2);
    MediaType a(raw);
    FreeMediaType(raw);
    MediaType b(a);
    MediaType c;
    EXPECT_TRUE(c.IsEmpty());
    c = a;
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a == c);
    EXPECT_NE(a.Get().pbFormat, b.Get().pbFormat);
    EXPECT_NE(a.Get().pbFormat, c.Get().pbFormat);
    c = c;  // self-assignment keeps the block
    ASSERT_NE(nullptr, c.Get().pbFormat);
    EXPECT_EQ(2, reinterpret_cast<const WAVEFORMATEX*>(c.Get().pbFormat)->nChannels);
    EXPECT_EQ(S_OK, c.Set(&c.Get()));
    EXPECT_TRUE(a == c);
    reinterpret_cast<WAVEFORMATEX*>(b.Raw()->pbFormat)->nSamplesPerSec = 44100;
    EXPECT_TRUE(a != b);
    EXPECT_EQ(S_OK, a.Set(nullptr));
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(nullptr, a.Get().pbFormat);
}

}  // namespace
