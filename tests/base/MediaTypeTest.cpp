// Media-type memory helpers and the owning MediaType value.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "OuterUnknown.h"
#include "WaveTypes.h"

namespace {

TEST(MediaTypeHelpers, CopiesAreDeepCountTheUnknownAndOwnTheirFormat) {
    OuterUnknown unk;
    MediaType original = WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    AM_MEDIA_TYPE src = original.Get();
    src.pUnk = &unk;
    AM_MEDIA_TYPE dst;
    ASSERT_EQ(S_OK, CopyMediaType(&dst, &src));
    EXPECT_NE(src.pbFormat, dst.pbFormat);
    EXPECT_TRUE(MediaTypesEqual(src, dst));
    EXPECT_EQ(2u, unk.refs);
    FreeMediaType(dst);
    EXPECT_EQ(nullptr, dst.pbFormat);
    EXPECT_EQ(0u, dst.cbFormat);
    EXPECT_EQ(nullptr, dst.pUnk);
    EXPECT_EQ(1u, unk.refs);

    AM_MEDIA_TYPE* made = CreateMediaType(&src);
    ASSERT_NE(nullptr, made);
    EXPECT_NE(src.pbFormat, made->pbFormat);
    EXPECT_TRUE(MediaTypesEqual(src, *made));
    DeleteMediaType(made);
    EXPECT_EQ(1u, unk.refs);
    EXPECT_EQ(nullptr, CreateMediaType(nullptr));

    AM_MEDIA_TYPE blockless = {};
    blockless.cbFormat = 16;  // a size without a block is not copied as if it had one
    ASSERT_EQ(S_OK, CopyMediaType(&dst, &blockless));
    EXPECT_EQ(nullptr, dst.pbFormat);
    EXPECT_EQ(0u, dst.cbFormat);
    EXPECT_EQ(E_POINTER, CopyMediaType(nullptr, &src));
    EXPECT_EQ(E_POINTER, CopyMediaType(&dst, nullptr));

    // The owning value's copies own their format too.
    MediaType a = WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    MediaType b(a), c;
    EXPECT_TRUE(c.IsEmpty());
    c = a;
    EXPECT_TRUE(a == b && a == c);
    EXPECT_NE(a.Get().pbFormat, b.Get().pbFormat);
    EXPECT_NE(a.Get().pbFormat, c.Get().pbFormat);
    // Assigning or setting a value from itself keeps its block.
    c = c;
    EXPECT_EQ(S_OK, c.Set(&c.Get()));
    EXPECT_TRUE(a == c);
    WaveOf(b).nSamplesPerSec = 44100;
    EXPECT_TRUE(a != b);
    EXPECT_EQ(S_OK, a.Set(nullptr));
    EXPECT_TRUE(a.IsEmpty());
}

// One change to a stereo float type, and whether the result still equals the original
// and whether the original still matches it taken as a partial type.
struct Variation {
    const char* what;
    std::function<void(AM_MEDIA_TYPE&)> change;
    bool equal, matchesAsPartial;
};

TEST(MediaTypeHelpers, EqualityAndPartialMatchLookAtEveryIdentifyingPart) {
    const Variation variations[] = {
        {"unchanged", [](AM_MEDIA_TYPE&) {}, true, true},
        {"subtype", [](AM_MEDIA_TYPE& t) { t.subtype = MEDIASUBTYPE_PCM; }, false, false},
        {"format type", [](AM_MEDIA_TYPE& t) { t.formattype = FORMAT_None; }, false, false},
        {"major type", [](AM_MEDIA_TYPE& t) { t.majortype = MEDIATYPE_Video; }, false, false},
        {"shorter block", [](AM_MEDIA_TYPE& t) { t.cbFormat = 16; }, false, false},
        {"channels", [](AM_MEDIA_TYPE& t) { reinterpret_cast<WAVEFORMATEX*>(t.pbFormat)->nChannels = 1; }, false,
         false},
        {"format type alone", [](AM_MEDIA_TYPE& t) { t.cbFormat = 0; }, false, true},
        {"any subtype", [](AM_MEDIA_TYPE& t) { t.subtype = GUID_NULL; }, false, true},
        {"any format", [](AM_MEDIA_TYPE& t) { t.formattype = GUID_NULL; }, false, true},
        {"only major type", [](AM_MEDIA_TYPE& t) { t.subtype = t.formattype = GUID_NULL; }, false, true},
        {"nothing named", [](AM_MEDIA_TYPE& t) { t.majortype = t.subtype = t.formattype = GUID_NULL; }, false, true},
    };
    const MediaType original = WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 48000, 32);
    for (const Variation& v : variations) {
        MediaType changed = original;
        v.change(*changed.Raw());
        EXPECT_EQ(v.equal, MediaTypesEqual(original.Get(), changed.Get())) << v.what;
        EXPECT_EQ(v.matchesAsPartial, MediaTypeMatchesPartial(original.Get(), changed.Get())) << v.what;
    }
}

}  // namespace
