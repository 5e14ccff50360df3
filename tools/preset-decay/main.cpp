// preset-decay: prints, for every preset of a preset file, its bank, name, decay setting
// and the decay time measured from the engine's impulse response (T20 extrapolated to
// 60 dB), tab-separated.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "IniPresets.h"
#include "PresetDecay.h"
#include "PresetText.h"

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "usage: preset-decay <presets.ini> [sample rate, default 48000]\n");
        return 2;
    }
    const long rate = argc == 3 ? std::strtol(argv[2], nullptr, 10) : 48000;
    if (rate < 8000 || rate > 192000) {
        std::fprintf(stderr, "preset-decay: sample rate must lie between 8000 and 192000\n");
        return 2;
    }
    std::string text;
    if (!ReadTextFile(argv[1], text)) {
        std::fprintf(stderr, "preset-decay: cannot read %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    std::printf("bank\tname\tdecay setting (s)\tmeasured T60 (s)\n");
    for (const IniPreset& preset : ReadIniPresets(text)) {
        int32_t values[kPresetTextValues] = {};
        ParsePresetText(preset.data.c_str(), values);
        std::string error;
        const double seconds = MeasurePresetDecay(
            preset.data, std::atoi(preset.version.c_str()), static_cast<uint32_t>(rate), error);
        if (seconds < 0.0) {
            std::fprintf(stderr, "preset-decay: %s: %s\n", preset.name.c_str(), error.c_str());
            ++failures;
            continue;
        }
        std::printf("%s\t%s\t%.1f\t%.2f\n", preset.bank.c_str(), preset.name.c_str(),
                    values[8] / 10.0, seconds);
    }
    return failures == 0 ? 0 : 1;
}
