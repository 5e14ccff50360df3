// ruvoda-host's failures: one line on stderr, a non-zero exit, no frame and no picture.
#include <gtest/gtest.h>

#include <ostream>

#include "HostRun.h"
#include "WavBytes.h"

namespace {

struct ErrorCase {
    const char* name;
    const char* options;  // before the sound's file name
    const char* sound;    // "missing", "not-wav", "too-fast" or "good"
    const char* message;  // part of the one line
};

const ErrorCase kCases[] = {
    {"MissingSound", "", "missing", "missing.wav: no such file"},
    {"NotAWaveFile", "", "not-wav", "not a RIFF WAVE file"},
    {"MissingDll", "--dll nowhere\\qvRuvodaR3.dll", "good", "cannot load the filter DLL nowhere\\qvRuvodaR3.dll"},
    {"DllIsNoComServer", "--dll kernel32.dll", "good", "kernel32.dll is not a COM server"},
    {"DllWithoutTheFilter", "--dll quartz.dll", "good", "quartz.dll does not hold the qv:Ruvoda R3 filter class"},
    {"GraphCannotBeBuilt", "", "too-fast", "the reverb filter refuses 16-bit integer audio"},
    {"AfterWithoutScreenshot", "--after 2", "good", "--after goes with --screenshot"},
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ErrorCase& c, std::ostream* out) {
    *out << c.name;
}

class HostErrorTest : public ::testing::TestWithParam<ErrorCase> {};

std::string MakeSound(const std::string& kind, const std::string& folder) {
    const std::string path = folder + kind + ".wav";
    const std::vector<float> signal = wavbytes::TestSignal(4410, 2, 44100);
    if (kind == "good") WriteFileBytes(path, wavbytes::Wav(1, 2, 44100, 16, wavbytes::Pcm16Data(signal)));
    // A rate far beyond what the reverb runs at: the file reads, the filter refuses it.
    if (kind == "too-fast") WriteFileBytes(path, wavbytes::Wav(1, 2, 1000000, 16, wavbytes::Pcm16Data(signal)));
    if (kind == "not-wav") WriteFileBytes(path, "this is text, not sound\n");
    return path;
}

TEST_P(HostErrorTest, SaysWhyInOneLineAndLeavesNoPicture) {
    const ErrorCase& c = GetParam();
    const std::string folder = ScratchFolder();
    const std::string shot = folder + c.name + ".bmp";
    const std::string sound = MakeSound(c.sound, folder);
    std::string arguments = std::string(c.options) + " \"" + sound + "\"";
    if (std::string(c.options).find("--after") == std::string::npos)
        arguments = "--screenshot \"" + shot + "\" --after 1 " + arguments;

    const HostRun run = RunHost(arguments);
    EXPECT_EQ(1u, run.exitCode);
    EXPECT_EQ(0u, run.errors.find("ruvoda-host: ")) << run.errors;
    EXPECT_NE(std::string::npos, run.errors.find(c.message)) << run.errors;
    EXPECT_EQ(run.errors.size() - 1, run.errors.find('\n')) << "one line: " << run.errors;
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(shot.c_str()));
}

INSTANTIATE_TEST_SUITE_P(Cases, HostErrorTest, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

}  // namespace
