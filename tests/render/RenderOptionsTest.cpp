#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ParameterControl.h"
#include "PresetLibrary.h"
#include "ProgramFolder.h"
#include "RenderOptions.h"
#include "RenderSettings.h"

namespace {

const char* const kDefaultText = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0";

struct Parsed {
    int status;
    std::string error;
    RenderOptions options;
};

Parsed Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "ruvoda-render");
    Parsed p;
    p.status = ParseRenderOptions(static_cast<int>(args.size()), args.data(), p.options, p.error);
    return p;
}

// The options that matter for the tables below, as one line.
std::string Describe(const RenderOptions& o) {
    std::string d = o.inputPath + ">" + o.outputPath + " block " + std::to_string(o.blockFrames);
    const std::pair<bool, const char*> flags[] = {{o.mono, "mono"}, {o.tail, "tail"}, {o.bypass, "bypass"},
                                                  {o.pcm16, "pcm16"}, {o.pcm24, "pcm24"}, {o.help, "help"},
                                                  {o.engine, "engine"}, {o.listPresets, "list"},
                                                  {o.hasPresetValues, "params"}};
    for (auto [on, name] : flags) d += on ? std::string(" ") + name : "";
    if (!o.dllPath.empty()) d += " dll " + o.dllPath;
    if (!o.presetName.empty()) d += " preset " + o.presetName;
    if (!o.presetsPath.empty()) d += " presets " + o.presetsPath;
    for (auto [field, value] : o.fieldSets) d += " set " + std::to_string(field) + "=" + std::to_string(value);
    return d;
}

}  // namespace

TEST(RenderOptions, ParsesFlagsValuesAndOperandsInAnyOrder) {
    const struct {
        std::vector<const char*> args;
        std::string described;
    } rows[] = {
        {{"in.wav", "out.wav"}, "in.wav>out.wav block 4096"},
        {{"--mono", "in.wav", "--tail", "--bypass", "out.wav", "--pcm16", "--block", "64", "--engine", "--dll",
          "f.dll"},
         "in.wav>out.wav block 64 mono tail bypass pcm16 engine dll f.dll"},
        {{"--block=1", "--pcm24", "--preset=Halls/Cathedral", "a", "b"}, "a>b block 1 pcm24 preset Halls/Cathedral"},
        {{"--help"}, "> block 4096 help"},
        {{"--set", "DecayTime=30", "--set=Width=0", "--set", "DecayTime=-5", "a", "b"},
         "a>b block 4096 set " + std::to_string(kDecayTime) + "=30 set " + std::to_string(kWidth) + "=0 set " +
             std::to_string(kDecayTime) + "=-5"},
        // A later --params replaces an earlier --preset; a later --preset is kept with it.
        {{"--preset", "x", "--params", kDefaultText, "a", "b"}, "a>b block 4096 params"},
        {{"--params", kDefaultText, "--preset", "x", "a", "b"}, "a>b block 4096 params preset x"},
        {{"--presets", "mine.ini", "--list-presets"}, "> block 4096 list presets mine.ini"},
    };
    for (const auto& row : rows) {
        const Parsed p = Parse(row.args);
        ASSERT_EQ(p.status, 0) << row.described << ": " << p.error;
        EXPECT_EQ(Describe(p.options), row.described);
    }
}

TEST(RenderOptions, RefusesBadOptionsWithOneLineSayingWhy) {
    const struct {
        std::vector<const char*> args;
        const char* mentions;
    } rows[] = {
        {{"--block", "0", "a", "b"}, "--block"},          {{"--block", "1048577", "a", "b"}, "--block"},
        {{"a", "b", "--dll"}, "--dll needs a value"},     {{"--reverse", "a", "b"}, "unknown option --reverse"},
        {{"--tail=1", "a", "b"}, "takes no value"},       {{"a", "b", "c"}, "got 3"},
        {{"--pcm16", "--pcm24", "a", "b"}, "exclude each other"},
        {{"--params", "1,2,3", "a", "b"}, "got 3"},
        {{"--params", "0,75,40,0,50,100,10,500,1.5,40,0,-35,-120,100,0,0,0,0", "a", "b"}, "--params"},
        {{"--set", "Decay=3", "a", "b"}, "unknown parameter \"Decay\""},
        {{"--set", "DecayTime", "a", "b"}, "NAME=VALUE"}, {{"--set", "DecayTime=4294967296", "a", "b"}, "integer"},
        {{"--preset=", "a", "b"}, "--preset needs a preset name"},
    };
    for (const auto& row : rows) {
        const Parsed p = Parse(row.args);
        EXPECT_NE(p.status, 0) << row.mentions;
        EXPECT_NE(p.error.find(row.mentions), std::string::npos) << p.error;
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << "one line: " << p.error;
    }
}

TEST(RenderSettings, AppliesParamsThenSetsThroughTheClampingPuts) {
    const Parsed p = Parse({"--params", "-10,20,221,300,100,0,30,2000,200,5,-400,60,-120,200,1,0,1,0", "--set",
                            "DecayTime=30", "--set", "RoomSize=0", "--tail", "--mono", "--bypass", "a", "b"});
    ASSERT_EQ(p.status, 0) << p.error;
    ParameterControl control, plain;
    ApplyRenderOptions(p.options, control);
    ApplyRenderOptions(Parse({"a", "b"}).options, plain);
    ReverbParams got;
    control.GetAllParams(got);
    // 300 and -400 clamped; --set applied after --params, to the room size and decay time,
    // and clamped.
    EXPECT_EQ(WritePresetText(got), "-10,20,221,250,1,0,30,2000,30,5,-361,60,-120,200,1,0,1,0");
    EXPECT_EQ(std::vector<int>({got.Tail, control.GetStereoOutput(), control.GetBypass()}), std::vector<int>({1, 0, 1}));
    plain.GetAllParams(got);
    EXPECT_EQ(got, DefaultParams());
    EXPECT_EQ(std::vector<int>({plain.GetStereoOutput(), plain.GetBypass()}), std::vector<int>({1, 0}));
}

TEST(PresetLibrary, FindsByNameOrBankAndNameAndSaysWhatToTryElse) {
    // Two banks share "Plate"; the version 1 preset carries Width in 50 % steps.
    const PresetLibrary library({
        {"3", "Small Hall", "Halls", "0,75,40,0,50,100,10,500,18,40,0,-35,-120,100,0,0,0,0"},
        {"3", "Plate", "Halls", "0,75,40,0,50,100,10,500,25,40,0,-35,-120,100,0,0,0,0"},
        {"1", "Plate", "Plates", "0,75,40,0,50,100,10,500,12,40,0,-35,-120,3,0,0,0,0"},
        {"3", "Broken", "Plates", "0,75,40"},
    });
    const struct {
        const char* name;
        int32_t decay, width;  // 0: not found
        const char* mentions;
    } rows[] = {
        {"sMALL hALL", 18, 100, ""}, {"halls/plate", 25, 100, ""}, {"Plates/Plate", 12, 150, ""},
        {"Smal Hal", 0, 0, "no preset \"Smal Hal\"; the closest: \"Halls/Small Hall\""},
        {"Plate", 0, 0, "\"Plate\" names 2 presets: \"Halls/Plate\", \"Plates/Plate\"; give Bank/Name"},
        {"Rooms/Plate", 0, 0, "the closest: \"Halls/Plate\""},
        {"hal", 0, 0, "the closest: \"Halls/Small Hall\""},
        {"brokenhall", 0, 0, "the closest: \"Plates/Broken\", \"Halls/Small Hall\""},
        {"broken", 0, 0, "\"Plates/Broken\" does not hold 18 numbers"},
    };
    for (const auto& row : rows) {
        int32_t values[kPresetTextValues] = {};
        std::string error;
        EXPECT_EQ(library.Find(row.name, values, error) == 0, row.decay != 0) << row.name << ": " << error;
        EXPECT_EQ(row.decay, values[8]) << row.name;
        EXPECT_EQ(row.width, values[13]) << row.name;
        EXPECT_NE(error.find(row.mentions), std::string::npos) << error;
        EXPECT_EQ(std::string::npos, error.find('\n'));
    }
    EXPECT_EQ("Halls\n  Small Hall   1.8 s\n  Plate        2.5 s\n"
              "Plates\n  Plate        1.2 s\n  Broken     (no valid data)\n",
              library.Listing());
}

TEST(ProgramFolder, IsThePathUpToItsLastSeparator) {
    for (auto [path, folder] : {std::pair{"/opt/r/ruvoda-render", "/opt/r/"}, {"C:\\r\\x/r.exe", "C:\\r\\x/"},
                                {"ruvoda-render", ""}, {"", ""}})
        EXPECT_EQ(FolderOf(path), folder) << path;
}
