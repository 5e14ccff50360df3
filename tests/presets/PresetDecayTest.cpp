#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DecayTime.h"
#include "IniPresets.h"
#include "PresetDecay.h"

namespace {

TEST(IniPresets, ReadsConsecutiveSectionsAsTheProfileFunctionsWould) {
    const std::string text =
        "[Plug-in]\r\nCLSID=x\r\n"
        "[preset2]\r\nversion=1\r\nNAME = Second \r\nBank=\r\nData=2,2\r\n"
        "[Other]\r\nName=ignored\r\n"
        "[PRESET1]\r\nVersion=3\r\nName=First\r\nName=Shadowed\r\nBank=Halls\r\nData=1,1\r\n"
        "[Preset3]\r\nVersion=3\r\nName=NoBank\r\nData=3\r\n"
        "[Preset4]\r\nVersion=3\r\nName=Beyond\r\nBank=\r\nData=4\r\n";
    std::vector<std::string> read;
    for (const IniPreset& p : ReadIniPresets(text)) {
        read.push_back(p.version + "|" + p.name + "|" + p.bank + "|" + p.data);
    }
    EXPECT_EQ(read, (std::vector<std::string>{"3|First|Halls|1,1", "1|Second||2,2"}));
    EXPECT_TRUE(ReadIniPresets("[Preset2]\nVersion=3\nName=a\nBank=\nData=1\n").empty());
}

TEST(PresetDecay, MeasuresAnIdealDecayFollowsTheSettingAndRefusesTextsWithoutEighteenNumbersOrSound) {
    // An ideal decay of 1.3 s; the same samples at half the rate last twice as long, and
    // silence before them changes nothing.
    std::vector<double> energy(4 * 48000);
    for (size_t i = 0; i < energy.size(); ++i) {
        energy[i] = std::pow(10.0, -6.0 * (static_cast<double>(i) / 48000) / 1.3);
    }
    EXPECT_NEAR(DecayTimeT20(energy, 24000), 2.6, 0.02);
    energy.insert(energy.begin(), 4800, 0.0);
    EXPECT_NEAR(DecayTimeT20(energy, 48000), 1.3, 0.01);
    EXPECT_LT(DecayTimeT20(energy, 0), 0.0);

    std::string error;
    const double shortDecay =
        MeasurePresetDecay("0,19,221,0,60,100,10,500,5,221,0,-361,0,100,0,0,0,0", 3, 48000, error);
    const double longDecay =
        MeasurePresetDecay("0,19,221,0,60,100,10,500,30,221,0,-361,0,100,0,0,0,0", 3, 48000, error);
    // The measured time may run somewhat longer than the setting (the allpasses add delay)
    // but must follow it.
    EXPECT_GT(shortDecay, 0.4) << error;
    EXPECT_LT(shortDecay, 0.8);
    EXPECT_NEAR(longDecay / shortDecay, 6.0, 1.0);
    // Early reflections and reverberation both off: nothing to measure.
    for (const char* refused : {"0,75,40", "0,75,40,0,50,100,10,500,15,40,0,-361,-361,100,0,0,0,0"}) {
        error.clear();
        EXPECT_LT(MeasurePresetDecay(refused, 3, 48000, error), 0.0) << refused;
        EXPECT_FALSE(error.empty()) << refused;
    }
}

}  // namespace
