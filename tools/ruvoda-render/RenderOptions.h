#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "PresetText.h"
#include "WavWriter.h"

// The command line of a render, as parsed; nothing is applied here.
struct RenderOptions {
    std::string inputPath;
    std::string outputPath;
    bool hasPresetValues = false;
    int32_t presetValues[kPresetTextValues] = {};   // --params, in text order
    std::string presetName;   // --preset, unless a later --params replaced it
    std::string presetsPath;  // --presets: the preset file; empty = the factory library
    bool listPresets = false;
    std::vector<std::pair<int, int32_t>> fieldSets; // --set, record field and value, in order
    bool mono = false;
    bool tail = false;
    bool bypass = false;
    bool pcm16 = false;
    bool pcm24 = false;
    bool help = false;
    bool engine = false;   // --engine: run the engine directly, not the filter in a graph
    std::string dllPath;   // --dll: the filter DLL for graph mode; empty = beside the program
    uint32_t blockFrames = 4096;
};

constexpr uint32_t kMaxBlockFrames = 1u << 20;

// Parses argv[1..argc-1]. Value options take their value as the next argument or after
// '='. 0, or -1 with a one-line description in `error`.
int ParseRenderOptions(int argc, const char* const* argv, RenderOptions& options,
                       std::string& error);

// The output file's encoding: 16- or 24-bit PCM when the command line asks for it, else
// `otherwise`.
SampleEncoding OutputEncoding(const RenderOptions& options, SampleEncoding otherwise);

const char* RenderUsage();
