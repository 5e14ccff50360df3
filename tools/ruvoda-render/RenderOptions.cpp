#include "RenderOptions.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "ReverbParams.h"

namespace {

// A whole decimal integer that fits in 32 bits, and nothing else.
bool ParseInt32(const std::string& text, int32_t& value) {
    // strtoll would skip leading blanks; a value with blanks is not a clean number.
    if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || v < INT32_MIN || v > INT32_MAX) return false;
    value = static_cast<int32_t>(v);
    return true;
}

int ParsePresetValues(const std::string& text, RenderOptions& options, std::string& error) {
    int count = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(',', start);
        const std::string item = text.substr(start, comma == std::string::npos ? comma : comma - start);
        if (count == kPresetTextValues || !ParseInt32(item, options.presetValues[count])) {
            error = "--params needs " + std::to_string(kPresetTextValues) +
                    " comma-separated integers, got \"" + text + "\"";
            return -1;
        }
        ++count;
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (count != kPresetTextValues) {
        error = "--params needs " + std::to_string(kPresetTextValues) + " integers, got " +
                std::to_string(count);
        return -1;
    }
    options.hasPresetValues = true;
    options.presetName.clear();  // of --preset and --params the later one counts
    return 0;
}

// Values that name something and must not be empty; kept as given.
int TakeName(const std::string& text, std::string& into, const char* missing, std::string& error) {
    if (text.empty()) {
        error = missing;
        return -1;
    }
    into = text;
    return 0;
}

int ParsePresetName(const std::string& text, RenderOptions& options, std::string& error) {
    return TakeName(text, options.presetName, "--preset needs a preset name (see --list-presets)", error);
}

int ParsePresetsPath(const std::string& text, RenderOptions& options, std::string& error) {
    return TakeName(text, options.presetsPath, "--presets needs the path of a preset file", error);
}

int ParseFieldSet(const std::string& text, RenderOptions& options, std::string& error) {
    const size_t eq = text.find('=');
    if (eq == std::string::npos) {
        error = "--set needs NAME=VALUE, got \"" + text + "\"";
        return -1;
    }
    const std::string name = text.substr(0, eq);
    const int field = FindParamByName(name.c_str());
    if (field < 0) {
        error = "--set: unknown parameter \"" + name + "\"";
        return -1;
    }
    int32_t value = 0;
    if (!ParseInt32(text.substr(eq + 1), value)) {
        error = "--set: " + name + " needs an integer value, got \"" + text.substr(eq + 1) + "\"";
        return -1;
    }
    options.fieldSets.emplace_back(field, value);
    return 0;
}

int ParseDll(const std::string& text, RenderOptions& options, std::string& error) {
    return TakeName(text, options.dllPath, "--dll needs the path of the filter DLL", error);
}

int ParseBlock(const std::string& text, RenderOptions& options, std::string& error) {
    int32_t value = 0;
    if (!ParseInt32(text, value) || value < 1 || static_cast<uint32_t>(value) > kMaxBlockFrames) {
        error = "--block needs a frame count from 1 to " + std::to_string(kMaxBlockFrames) +
                ", got \"" + text + "\"";
        return -1;
    }
    options.blockFrames = static_cast<uint32_t>(value);
    return 0;
}

}  // namespace

int ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options,
                       std::string& error) {
    options = RenderOptions();
    std::vector<std::string> operands;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
            operands.push_back(arg);
            continue;
        }
        std::string value;
        bool hasValue = false;
        const size_t eq = arg.find('=');
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
            hasValue = true;
        }
        bool* flag = arg == "--mono"     ? &options.mono
                     : arg == "--tail"   ? &options.tail
                     : arg == "--bypass" ? &options.bypass
                     : arg == "--pcm16"  ? &options.pcm16
                     : arg == "--pcm24"  ? &options.pcm24
                     : arg == "--help"   ? &options.help
                     : arg == "--engine" ? &options.engine
                     : arg == "--list-presets" ? &options.listPresets
                                         : nullptr;
        if (flag) {
            if (hasValue) {
                error = arg + " takes no value";
                return -1;
            }
            *flag = true;
            continue;
        }
        int (*parse)(const std::string&, RenderOptions&, std::string&) =
            arg == "--params" ? ParsePresetValues
            : arg == "--set"  ? ParseFieldSet
            : arg == "--block" ? ParseBlock
            : arg == "--dll"   ? ParseDll
            : arg == "--preset"  ? ParsePresetName
            : arg == "--presets" ? ParsePresetsPath
                               : nullptr;
        if (!parse) {
            error = "unknown option " + arg;
            return -1;
        }
        if (!hasValue) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return -1;
            }
            value = argv[++i];
        }
        if (parse(value, options, error) != 0) return -1;
    }
    if (options.help || options.listPresets) return 0;
    if (options.pcm16 && options.pcm24) {
        error = "--pcm16 and --pcm24 exclude each other";
        return -1;
    }
    if (operands.size() != 2) {
        error = "expected INPUT.wav and OUTPUT.wav, got " + std::to_string(operands.size()) +
                (operands.size() == 1 ? " file name" : " file names");
        return -1;
    }
    options.inputPath = operands[0];
    options.outputPath = operands[1];
    return 0;
}

SampleEncoding OutputEncoding(const RenderOptions& options, SampleEncoding otherwise) {
    if (options.pcm16) return SampleEncoding::kPcm16;
    if (options.pcm24) return SampleEncoding::kPcm24;
    return otherwise;
}

const char* RenderUsage() {
    return "usage: ruvoda-render [options] INPUT.wav OUTPUT.wav\n"
           "       ruvoda-render [--presets FILE] --list-presets\n"
           "(\"-\" reads standard input or writes standard output; engine mode only)\n"
           "Renders a WAVE file (1 or 2 channels; 16-, 24-, 32-bit integer or 32-bit float)\n"
           "through the reverb, at the input's sample rate.\n"
           "  --preset NAME     start from a preset of the factory library, named without\n"
           "                    regard to case, as Bank/Name where names repeat\n"
           "  --presets FILE    take --preset and --list-presets from this preset file\n"
           "  --list-presets    print the banks and their presets with the decay setting\n"
           "  --params TEXT     18 comma-separated integers in preset-text order; of\n"
           "                    --preset and --params the later one counts\n"
           "  --set NAME=VALUE  one parameter by its record name (e.g. DecayTime=30);\n"
           "                    repeatable; applied after --preset or --params\n"
           "  --mono            mono output (stereo is the default)\n"
           "  --tail            after the input, render the reverberation tail\n"
           "  --bypass          pass the input through unprocessed\n"
           "  --block N         at most N frames per processing call (default 4096);\n"
           "                    engine mode only, ignored in graph mode\n"
           "  --pcm16           write 16-bit PCM (default: 32-bit float; in graph mode\n"
           "                    16- and 24-bit input come out in their own width)\n"
           "  --pcm24           write 24-bit PCM\n"
           "  --engine          engine mode: run the reverb engine built into this program\n"
           "  --dll PATH        graph mode: the filter DLL (default: qvRuvodaR3.dll beside\n"
           "                    this program)\n"
           "  --help            show this text\n"
           "Values out of a parameter's range are clamped to it. A summary line goes to\n"
           "standard error; on a terminal, a progress line shows while a render runs longer\n"
           "than a second.\n"
           "The Windows build runs in graph mode unless --engine is given: it loads the\n"
           "filter DLL through its class factory (no registration needed) and plays the\n"
           "file through a DirectShow graph: File Source (Async), WAVE Parser, the filter,\n"
           "a sample grabber and the Null Renderer. The filter takes 16-, 24- and 32-bit\n"
           "integer and 32-bit float audio. The native build always runs in engine mode.\n"
           "Examples:\n"
           "  ruvoda-render --tail --set DecayTime=40 dry.wav wet.wav\n"
           "  ruvoda-render --tail --preset \"vocal plate\" --set PreDelay=20 vox.wav vox-wet.wav\n"
           "  ruvoda-render --tail --preset Halls/Cathedral choir.wav choir-wet.wav\n"
           "  ruvoda-render --pcm24 --mono voice-24bit.wav voice-wet.wav\n"
           "  sox in.flac -t wav - | ruvoda-render --engine - - | sox -t wav - out.flac\n";
}
