// The options that choose how a render runs: --engine and --dll.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RenderOptions.h"

namespace {

int Parse(std::vector<const char*> args, RenderOptions& options, std::string& error) {
    args.insert(args.begin(), "ruvoda-render");
    return ParseRenderOptions(static_cast<int>(args.size()), args.data(), options, error);
}

}  // namespace

TEST(RenderModeOptions, GraphModeIsTheDefaultWithTheDllBesideTheProgram) {
    RenderOptions options;
    std::string error;
    ASSERT_EQ(0, Parse({"in.wav", "out.wav"}, options, error)) << error;
    EXPECT_FALSE(options.engine);
    EXPECT_EQ("", options.dllPath);
}

TEST(RenderModeOptions, EngineAndDllAreParsed) {
    RenderOptions options;
    std::string error;
    ASSERT_EQ(0, Parse({"--engine", "in.wav", "--dll", "C:\\x\\f.dll", "out.wav"}, options, error)) << error;
    EXPECT_TRUE(options.engine);
    EXPECT_EQ("C:\\x\\f.dll", options.dllPath);
    EXPECT_EQ("in.wav", options.inputPath);
    EXPECT_EQ("out.wav", options.outputPath);

    ASSERT_EQ(0, Parse({"--dll=other.dll", "in.wav", "out.wav"}, options, error)) << error;
    EXPECT_EQ("other.dll", options.dllPath);
    EXPECT_FALSE(options.engine) << "a new parse starts from the defaults";
}

TEST(RenderModeOptions, MalformedModeOptionsAreRefused) {
    RenderOptions options;
    std::string error;
    EXPECT_NE(0, Parse({"--engine=yes", "in.wav", "out.wav"}, options, error));
    EXPECT_NE(std::string::npos, error.find("--engine takes no value")) << error;
    EXPECT_NE(0, Parse({"--dll=", "in.wav", "out.wav"}, options, error));
    EXPECT_NE(std::string::npos, error.find("--dll needs")) << error;
    EXPECT_NE(0, Parse({"in.wav", "out.wav", "--dll"}, options, error));
    EXPECT_NE(std::string::npos, error.find("--dll needs a value")) << error;
}

TEST(RenderModeOptions, HelpNamesBothModes) {
    const std::string usage = RenderUsage();
    for (const char* part : {"--engine", "--dll PATH", "graph mode", "engine mode", "ignored in graph mode"})
        EXPECT_NE(std::string::npos, usage.find(part)) << part;
}
