#include "HostOptions.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

// Long enough for any look at the editor, short enough to catch a unit mistake.
constexpr double kMaxAfterSeconds = 3600.0;

int ParseSeconds(const std::string& text, double& seconds, std::string& error) {
    errno = 0;
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (text.empty() || errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0.0 ||
        value > kMaxAfterSeconds) {
        error = "--after needs a number of seconds above 0 and up to 3600, got \"" + text + "\"";
        return -1;
    }
    seconds = value;
    return 0;
}

}  // namespace

int ParseHostOptions(int argc, const char* const* argv, HostOptions& options, std::string& error) {
    options = HostOptions();
    std::vector<std::string> operands;
    bool afterGiven = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
            operands.push_back(arg);
            continue;
        }
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        std::string value;
        const size_t eq = arg.find('=');
        if (eq != std::string::npos) {
            value = arg.substr(eq + 1);
            arg.resize(eq);
        }
        if (arg != "--dll" && arg != "--screenshot" && arg != "--after") {
            error = "unknown option " + arg;
            return -1;
        }
        if (eq == std::string::npos) {
            if (i + 1 >= argc) {
                error = arg + " needs a value";
                return -1;
            }
            value = argv[++i];
        }
        if (arg == "--after") {
            if (ParseSeconds(value, options.afterSeconds, error) != 0) return -1;
            afterGiven = true;
            continue;
        }
        if (value.empty()) {
            error = arg + " needs a file name";
            return -1;
        }
        (arg == "--dll" ? options.dllPath : options.screenshotPath) = value;
    }
    if (options.help) return 0;
    if (afterGiven && options.screenshotPath.empty()) {
        error = "--after goes with --screenshot";
        return -1;
    }
    if (operands.size() != 1) {
        error = "expected one INPUT.wav, got " + std::to_string(operands.size()) + " file names";
        return -1;
    }
    options.inputPath = operands[0];
    return 0;
}

const char* HostUsage() {
    return "usage: ruvoda-host [options] INPUT.wav\n"
           "Plays a WAVE file in a loop through the reverb filter in a DirectShow graph\n"
           "(File Source (Async), WAVE Parser, the filter, the default audio renderer, or\n"
           "the Null Renderer on the system clock when there is no audio device) and shows\n"
           "the filter's property pages in the system's property frame. Closing the frame\n"
           "ends the program.\n"
           "  --dll PATH             the filter DLL (default: qvRuvodaR3.dll beside this\n"
           "                         program); it needs no registration\n"
           "  --screenshot FILE.bmp  write a picture of the property frame as it is on the\n"
           "                         screen (24-bit BMP), then close the frame and exit\n"
           "  --after SECONDS        when to take the picture, counted from the frame's\n"
           "                         opening (default 3)\n"
           "  --help                 show this text\n";
}
