#include <gtest/gtest.h>

#include <initializer_list>

#include "ParameterControl.h"
#include "PresetLibrary.h"
#include "RenderOptions.h"
#include "RenderSettings.h"
#include "ReverbParams.h"

namespace {

struct Parsed {
    int status;
    std::string error;
    RenderOptions options;
};

Parsed Parse(const std::vector<const char*>& args) {
    std::vector<const char*> argv{"ruvoda-render"};
    argv.insert(argv.end(), args.begin(), args.end());
    Parsed p;
    p.status = ParseRenderOptions(static_cast<int>(argv.size()), argv.data(), p.options, p.error);
    return p;
}

std::string ErrorOf(std::initializer_list<const char*> args) {
    Parsed p = Parse(args);
    EXPECT_NE(p.status, 0);
    EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line";
    return p.error;
}

bool Mentions(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(RenderOptions, DefaultsAndFlags) {
    Parsed plain = Parse({"in.wav", "out.wav"});
    ASSERT_EQ(plain.status, 0) << plain.error;
    EXPECT_EQ(plain.options.inputPath, "in.wav");
    EXPECT_EQ(plain.options.outputPath, "out.wav");
    EXPECT_FALSE(plain.options.mono || plain.options.tail || plain.options.bypass ||
                 plain.options.pcm16 || plain.options.hasPresetValues);
    EXPECT_EQ(plain.options.blockFrames, 4096u);

    Parsed all = Parse({"--mono", "in.wav", "--tail", "--bypass", "out.wav", "--pcm16", "--block", "64"});
    ASSERT_EQ(all.status, 0) << all.error;
    EXPECT_TRUE(all.options.mono && all.options.tail && all.options.bypass && all.options.pcm16);
    EXPECT_EQ(all.options.blockFrames, 64u);
    EXPECT_EQ(all.options.outputPath, "out.wav");

    Parsed joined = Parse({"--block=1", "in.wav", "out.wav"});
    ASSERT_EQ(joined.status, 0) << joined.error;
    EXPECT_EQ(joined.options.blockFrames, 1u);

    Parsed help = Parse({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.options.help);
}

TEST(RenderOptions, OutputEncodingIsTheOneAskedForElseTheNaturalOne) {
    const struct {
        std::vector<const char*> args;
        SampleEncoding natural, expected;
    } rows[] = {
        {{"a", "b"}, SampleEncoding::kFloat32, SampleEncoding::kFloat32},
        {{"a", "b"}, SampleEncoding::kPcm24, SampleEncoding::kPcm24},
        {{"--pcm16", "a", "b"}, SampleEncoding::kPcm24, SampleEncoding::kPcm16},
        {{"--pcm24", "a", "b"}, SampleEncoding::kFloat32, SampleEncoding::kPcm24},
        {{"--pcm24", "a", "b"}, SampleEncoding::kPcm16, SampleEncoding::kPcm24},
    };
    for (const auto& row : rows) {
        Parsed p = Parse(row.args);
        ASSERT_EQ(p.status, 0) << p.error;
        EXPECT_EQ(row.expected, OutputEncoding(p.options, row.natural)) << row.args[0];
    }
    EXPECT_TRUE(Mentions(ErrorOf({"--pcm16", "--pcm24", "a", "b"}), "exclude each other"));
}

TEST(RenderOptions, ParamsTakeExactlyEighteenIntegers) {
    Parsed p = Parse({"--params", "-10,20,221,250,100,0,30,2000,200,5,-361,60,-120,200,1,0,1,0", "a", "b"});
    ASSERT_EQ(p.status, 0) << p.error;
    ASSERT_TRUE(p.options.hasPresetValues);
    EXPECT_EQ(p.options.presetValues[0], -10);
    EXPECT_EQ(p.options.presetValues[10], -361);
    EXPECT_EQ(p.options.presetValues[17], 0);

    EXPECT_TRUE(Mentions(ErrorOf({"--params", "1,2,3", "a", "b"}), "got 3"));
    EXPECT_TRUE(Mentions(ErrorOf({"--params", "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0,9", "a", "b"}),
                         "--params"));
    EXPECT_TRUE(Mentions(ErrorOf({"--params", "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,", "a", "b"}),
                         "--params"));
    EXPECT_TRUE(Mentions(ErrorOf({"--params", "0,75,40,0,50,100,10,500,1.5,40,0,-35,-120,100,0,0,0,0", "a", "b"}),
                         "--params"));
    EXPECT_TRUE(Mentions(ErrorOf({"--params", "0, 75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0", "a", "b"}),
                         "--params"));
}

TEST(RenderOptions, SetNamesARecordFieldAndAnIntegerValue) {
    Parsed p = Parse({"--set", "DecayTime=30", "--set=Width=0", "--set", "DecayTime=-5", "a", "b"});
    ASSERT_EQ(p.status, 0) << p.error;
    ASSERT_EQ(p.options.fieldSets.size(), 3u);
    EXPECT_EQ(p.options.fieldSets[0], std::make_pair(static_cast<int>(kDecayTime), 30));
    EXPECT_EQ(p.options.fieldSets[1], std::make_pair(static_cast<int>(kWidth), 0));
    EXPECT_EQ(p.options.fieldSets[2], std::make_pair(static_cast<int>(kDecayTime), -5));

    EXPECT_TRUE(Mentions(ErrorOf({"--set", "Decay=3", "a", "b"}), "unknown parameter \"Decay\""));
    EXPECT_TRUE(Mentions(ErrorOf({"--set", "decaytime=3", "a", "b"}), "unknown parameter"));
    EXPECT_TRUE(Mentions(ErrorOf({"--set", "DecayTime", "a", "b"}), "NAME=VALUE"));
    EXPECT_TRUE(Mentions(ErrorOf({"--set", "DecayTime=", "a", "b"}), "integer"));
    EXPECT_TRUE(Mentions(ErrorOf({"--set", "DecayTime=3x", "a", "b"}), "integer"));
    EXPECT_TRUE(Mentions(ErrorOf({"--set", "DecayTime=4294967296", "a", "b"}), "integer"));
}

TEST(RenderOptions, RejectsBadOptionsValuesAndOperands) {
    EXPECT_TRUE(Mentions(ErrorOf({"--block", "0", "a", "b"}), "--block"));
    EXPECT_TRUE(Mentions(ErrorOf({"--block", "-4", "a", "b"}), "--block"));
    EXPECT_TRUE(Mentions(ErrorOf({"--block", "lots", "a", "b"}), "--block"));
    EXPECT_TRUE(Mentions(ErrorOf({"--block", "1048577", "a", "b"}), "--block"));
    EXPECT_TRUE(Mentions(ErrorOf({"a", "b", "--block"}), "needs a value"));
    EXPECT_TRUE(Mentions(ErrorOf({"--reverse", "a", "b"}), "unknown option --reverse"));
    EXPECT_TRUE(Mentions(ErrorOf({"--tail=1", "a", "b"}), "takes no value"));
    EXPECT_TRUE(Mentions(ErrorOf({}), "got 0"));
    EXPECT_TRUE(Mentions(ErrorOf({"a"}), "got 1"));
    EXPECT_TRUE(Mentions(ErrorOf({"a", "b", "c"}), "got 3"));
}

TEST(RenderSettings, AppliesParamsThenSetsThroughTheClampingPuts) {
    Parsed p = Parse({"--params", "-10,20,221,300,100,0,30,2000,200,5,-400,60,-120,200,1,0,1,0",
                      "--set", "DecayTime=30", "--set", "RoomSize=0", "--tail", "--mono", "--bypass",
                      "a", "b"});
    ASSERT_EQ(p.status, 0) << p.error;
    ParameterControl control;
    ApplyRenderOptions(p.options, control);

    EXPECT_EQ(control.GetField(kInputGain), -10);
    EXPECT_EQ(control.GetField(kLowCut), 20);
    EXPECT_EQ(control.GetField(kPreDelay), 250) << "300 is clamped";
    EXPECT_EQ(control.GetField(kRoomSize), 1) << "--set applies after --params, clamped";
    EXPECT_EQ(control.GetField(kDecayTime), 30) << "--set wins over --params";
    EXPECT_EQ(control.GetField(kDryLevel), -361) << "-400 is clamped";
    EXPECT_EQ(control.GetField(kEarlyLevel), 60) << "text position 12 is EarlyLevel";
    EXPECT_EQ(control.GetField(kReverbLevel), -120);
    EXPECT_EQ(control.GetField(kWidth), 200);
    EXPECT_EQ(control.GetField(kInputMute), 1);
    EXPECT_EQ(control.GetField(kEarlyMute), 1);
    EXPECT_EQ(control.GetField(kTail), 1);
    EXPECT_EQ(control.GetStereoOutput(), 0);
    EXPECT_EQ(control.GetBypass(), 1);
}

TEST(RenderSettings, WithoutOptionsTheFactorySettingStaysStereoAndProcessed) {
    Parsed p = Parse({"a", "b"});
    ParameterControl control;
    ApplyRenderOptions(p.options, control);
    ReverbParams params;
    control.GetAllParams(params);
    EXPECT_EQ(params, DefaultParams());
    EXPECT_EQ(control.GetStereoOutput(), 1);
    EXPECT_EQ(control.GetBypass(), 0);
}

TEST(RenderOptions, PresetOptionsAndWhichOfPresetAndParamsCounts) {
    const struct {
        std::vector<const char*> args;
        const char* presetName;
        bool hasParams;
    } rows[] = {
        {{"--preset", "Cathedral", "a", "b"}, "Cathedral", false},
        {{"--preset=Halls/Cathedral", "a", "b"}, "Halls/Cathedral", false},
        {{"--params", "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0", "--preset", "x", "a", "b"}, "x", true},
        {{"--preset", "x", "--params", "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0", "a", "b"}, "", true},
    };
    for (const auto& row : rows) {
        Parsed p = Parse(row.args);
        ASSERT_EQ(p.status, 0) << p.error;
        EXPECT_EQ(row.presetName, p.options.presetName) << row.args[0];
        EXPECT_EQ(row.hasParams, p.options.hasPresetValues) << row.args[0];
    }
    Parsed list = Parse({"--presets", "mine.ini", "--list-presets"});
    ASSERT_EQ(list.status, 0) << list.error << " (no files needed to list)";
    EXPECT_TRUE(list.options.listPresets);
    EXPECT_EQ("mine.ini", list.options.presetsPath);
    EXPECT_TRUE(Mentions(ErrorOf({"--preset=", "a", "b"}), "--preset needs a preset name"));
    EXPECT_TRUE(Mentions(ErrorOf({"--presets", "", "a", "b"}), "--presets needs"));
}

namespace {
// Two banks share "Plate"; the version 1 preset carries Width in 50 % steps.
PresetLibrary SmallLibrary() {
    return PresetLibrary({
        {"3", "Small Hall", "Halls", "0,75,40,0,50,100,10,500,18,40,0,-35,-120,100,0,0,0,0"},
        {"3", "Plate", "Halls", "0,75,40,0,50,100,10,500,25,40,0,-35,-120,100,0,0,0,0"},
        {"1", "Plate", "Plates", "0,75,40,0,50,100,10,500,12,40,0,-35,-120,3,0,0,0,0"},
        {"3", "Broken", "Plates", "0,75,40"},
    });
}
}  // namespace

TEST(PresetLibrary, FindsByNameWithoutCaseOrByBankAndName) {
    const struct {
        const char* name;
        int32_t decay, width;
    } rows[] = {
        {"Small Hall", 18, 100},
        {"sMALL hALL", 18, 100},
        {"halls/plate", 25, 100},
        {"Plates/Plate", 12, 150},
    };
    const PresetLibrary library = SmallLibrary();
    for (const auto& row : rows) {
        int32_t values[kPresetTextValues] = {};
        std::string error;
        ASSERT_EQ(0, library.Find(row.name, values, error)) << row.name << ": " << error;
        EXPECT_EQ(row.decay, values[8]) << row.name;
        EXPECT_EQ(row.width, values[13]) << row.name;
    }
}

TEST(PresetLibrary, UnknownRepeatedAndBrokenPresetsSayWhatToTry) {
    const struct {
        const char* name;
        const char* mentions;
    } rows[] = {
        {"Smal Hal", "no preset \"Smal Hal\"; the closest: \"Halls/Small Hall\""},
        {"Plate", "\"Plate\" names 2 presets: \"Halls/Plate\", \"Plates/Plate\"; give Bank/Name"},
        {"Rooms/Plate", "the closest: \"Halls/Plate\""},
        {"hal", "the closest: \"Halls/Small Hall\""},
        {"broken", "\"Plates/Broken\" does not hold 18 numbers"},
    };
    const PresetLibrary library = SmallLibrary();
    for (const auto& row : rows) {
        int32_t values[kPresetTextValues] = {};
        std::string error;
        EXPECT_NE(0, library.Find(row.name, values, error)) << row.name;
        EXPECT_TRUE(Mentions(error, row.mentions)) << error;
        EXPECT_EQ(std::string::npos, error.find('\n'));
    }
}

TEST(PresetLibrary, ListsEachBankOnceWithItsPresetsAndDecay) {
    EXPECT_EQ("Halls\n"
              "  Small Hall   1.8 s\n"
              "  Plate        2.5 s\n"
              "Plates\n"
              "  Plate        1.2 s\n"
              "  Broken     (no valid data)\n",
              SmallLibrary().Listing());
}
