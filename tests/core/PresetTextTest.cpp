#include <gtest/gtest.h>

#include "PresetText.h"
#include "ReverbParams.h"

TEST(PresetText, TheFactorySettingWritesTheKnownTextAndEveryFieldRoundTrips) {
    EXPECT_EQ(WritePresetText(DefaultParams()), "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0");
    ReverbParams p = DefaultParams();
    // Distinct values so a swapped position cannot go unnoticed.
    for (int i = 0; i < kPresetTextValues; ++i) SetParam(p, kPresetTextOrder[i], 100 + i);
    int32_t values[kPresetTextValues];
    ASSERT_EQ(ParsePresetText(WritePresetText(p).c_str(), values), kPresetTextValues);
    for (int i = 0; i < kPresetTextValues; ++i) EXPECT_EQ(values[i], 100 + i);
}

TEST(PresetText, ParsingStopsAtTheFirstGapSaturatesAndIgnoresExtras) {
    const struct {
        const char* text;
        int count, at, value;  // values read, and one of them
    } cases[] = {{"1,2,x,4", 2, 1, 2}, {"", 0, 0, 0}, {"1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20", 18, 17, 18},
                 {"99999999999,-99999999999", 2, 0, INT32_MAX}, {"99999999999,-99999999999", 2, 1, INT32_MIN}};
    for (const auto& c : cases) {
        int32_t values[kPresetTextValues] = {};
        EXPECT_EQ(ParsePresetText(c.text, values), c.count) << c.text;
        EXPECT_EQ(values[c.at], c.value) << c.text;
    }
    int32_t values[kPresetTextValues];
    EXPECT_EQ(ParsePresetText(nullptr, values), 0);
}

TEST(PresetText, VersionOneCarriesWidthInFiftyPercentUnits) {
    for (auto [position, version, value] : {std::tuple{13, 1, 100}, {13, 2, 2}, {13, 0, 2}, {12, 1, 2}})
        EXPECT_EQ(PresetTextValueForVersion(position, 2, version), value) << position << " v" << version;
}

TEST(ReverbParams, FindsFieldsByTheirExactName) {
    EXPECT_EQ(FindParamByName("DecayTime"), kDecayTime);
    EXPECT_EQ(FindParamByName("decaytime"), -1);
    EXPECT_EQ(FindParamByName("StereoOutput"), -1);
}
