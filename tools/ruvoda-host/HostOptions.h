#pragma once
#include <string>

// The command line of ruvoda-host, as parsed.
struct HostOptions {
    std::string inputPath;       // the WAVE file the graph plays
    std::string dllPath;         // --dll; empty: qvRuvodaR3.dll beside the program
    std::string screenshotPath;  // --screenshot; empty: no picture, the user closes the frame
    double afterSeconds = 3.0;   // --after: when the picture is taken, counted from the frame's opening
    bool help = false;
};

// Parses argv[1..argc-1]. Value options take their value as the next argument or after
// '='. 0, or -1 with a one-line description in `error`.
int ParseHostOptions(int argc, const char* const* argv, HostOptions& options, std::string& error);

const char* HostUsage();
