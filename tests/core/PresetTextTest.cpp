#include <gtest/gtest.h>

#include "PresetText.h"
#include "ReverbParams.h"

TEST(ReverbParams, DefaultRecordIsTheFactorySetting) {
    const ReverbParams p = DefaultParams();
    const int32_t expected[kParamCount] = {0, 75, 40, 0, 50, 100, 10, 500, 15, 40,
                                           0, -120, 0, 0, 0, -35, 0, 100, 0};
    for (int i = 0; i < kParamCount; ++i) EXPECT_EQ(GetParam(p, i), expected[i]) << i;
}

TEST(ReverbParams, ClampingAndNames) {
    EXPECT_EQ(ClampParam(kPreDelay, 300), 250);
    EXPECT_EQ(ClampParam(kRoomSize, 0), 1);
    EXPECT_EQ(ClampParam(kEarlyLevel, 999), 60);
    EXPECT_EQ(ClampParam(kInputGain, -5000), -361);
    EXPECT_EQ(ClampParam(kTail, 7), 1);
    EXPECT_EQ(ClampParam(kWidth, 150), 150);
    EXPECT_EQ(FindParamByName("DecayTime"), kDecayTime);
    EXPECT_EQ(FindParamByName("Tail"), kTail);
    EXPECT_EQ(FindParamByName("decaytime"), -1);
    EXPECT_EQ(FindParamByName("StereoOutput"), -1);
}

TEST(PresetText, DefaultRecordWritesTheKnownText) {
    EXPECT_EQ(WritePresetText(DefaultParams()), "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0");
}

TEST(PresetText, RoundTripOfEveryFieldInTextOrder) {
    ReverbParams p = DefaultParams();
    // Distinct values so a swapped position cannot go unnoticed.
    for (int i = 0; i < kPresetTextValues; ++i) SetParam(p, kPresetTextOrder[i], 100 + i);
    int32_t values[kPresetTextValues];
    ASSERT_EQ(ParsePresetText(WritePresetText(p).c_str(), values), kPresetTextValues);
    for (int i = 0; i < kPresetTextValues; ++i) EXPECT_EQ(values[i], 100 + i);
}

TEST(PresetText, ParsingStopsAtTheFirstGapAndIgnoresExtras) {
    int32_t values[kPresetTextValues] = {};
    EXPECT_EQ(ParsePresetText("1,2,x,4", values), 2);
    EXPECT_EQ(values[1], 2);
    EXPECT_EQ(ParsePresetText("", values), 0);
    EXPECT_EQ(ParsePresetText(nullptr, values), 0);
    EXPECT_EQ(ParsePresetText("1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20", values), 18);
    EXPECT_EQ(values[17], 18);
    EXPECT_EQ(ParsePresetText("99999999999,-99999999999", values), 2);
    EXPECT_EQ(values[0], INT32_MAX);
    EXPECT_EQ(values[1], INT32_MIN);
}

TEST(PresetText, VersionOneCarriesWidthInFiftyPercentUnits) {
    EXPECT_EQ(PresetTextValueForVersion(13, 2, 1), 100);
    EXPECT_EQ(PresetTextValueForVersion(13, 2, 2), 2);
    EXPECT_EQ(PresetTextValueForVersion(13, 2, 0), 2);
    EXPECT_EQ(PresetTextValueForVersion(12, 2, 1), 2);
}
