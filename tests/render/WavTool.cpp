// Test helper: writes the WAVE files the renderer's program tests feed it, and compares two
// of them sample by sample.
//   render_wav_tool make CASE PATH
//   render_wav_tool compare A B TOLERANCE     exit 0 when every sample is within TOLERANCE
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "WavBytes.h"
#include "WavReader.h"

using namespace wavbytes;

namespace {

int Make(const std::string& name, const char* path) {
    const std::vector<float> stereo = TestSignal(44100, 2, 44100);
    const std::string pcm16 = Wav(1, 2, 44100, 16, Pcm16Data(stereo));
    const std::map<std::string, std::string> cases = {
        {"stereo-pcm16-1s", pcm16},
        {"stereo-float-1s", Wav(3, 2, 44100, 32, FloatData(stereo))},
        {"mono-float", Wav(3, 1, 48000, 32, FloatData(TestSignal(24000, 1, 48000)))},
        {"stereo-pcm24-extensible", Riff(ExtensibleFormatChunk(1, 2, 44100, 24) + Chunk("data", Pcm24Data(TestSignal(22050, 2, 44100))))},
        {"empty-data", Wav(3, 2, 44100, 32, "")},
        {"truncated", pcm16.substr(0, pcm16.size() / 2)},
    };
    const auto found = cases.find(name);
    if (found == cases.end()) {
        std::fprintf(stderr, "unknown case %s\n", name.c_str());
        return 2;
    }
    std::ofstream out(path, std::ios::binary);
    out << found->second;
    return out ? 0 : 1;
}

// The samples and layout of a file; false, with the reason on standard error, when it
// cannot be read.
bool ReadAll(const char* path, WavLayout& layout, std::vector<float>& samples) {
    WavReader reader;
    std::string error;
    if (reader.OpenFile(path, error) == 0 && reader.ReadAll(samples, error) == 0) {
        layout = reader.Layout();
        return true;
    }
    std::fprintf(stderr, "%s\n", error.c_str());
    return false;
}

int Compare(const char* a, const char* b, double tolerance) {
    WavLayout la, lb;
    std::vector<float> sa, sb;
    if (!ReadAll(a, la, sa) || !ReadAll(b, lb, sb)) return 1;
    if (la.frames != lb.frames || la.channels != lb.channels || la.sampleRate != lb.sampleRate ||
        la.isFloat != lb.isFloat) {
        std::fprintf(stderr, "layouts differ: %llu x %u at %u Hz against %llu x %u at %u Hz\n",
                     static_cast<unsigned long long>(la.frames), la.channels, la.sampleRate,
                     static_cast<unsigned long long>(lb.frames), lb.channels, lb.sampleRate);
        return 1;
    }
    double worst = 0.0;
    size_t where = 0;
    for (size_t i = 0; i < sa.size(); ++i) {
        const double d = std::fabs(static_cast<double>(sa[i]) - sb[i]);
        if (d > worst || d != d) {
            worst = d != d ? INFINITY : d;
            where = i;
        }
    }
    std::printf("%llu frames, largest difference %g at sample %llu\n",
                static_cast<unsigned long long>(la.frames), worst,
                static_cast<unsigned long long>(where));
    return worst <= tolerance ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "make" && argc == 4) return Make(argv[2], argv[3]);
    if (command == "compare" && argc == 5) return Compare(argv[2], argv[3], std::atof(argv[4]));
    std::fprintf(stderr, "usage: render_wav_tool make CASE PATH | compare A B TOLERANCE\n");
    return 2;
}
