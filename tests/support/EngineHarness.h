#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

#include "ReverbEngine.h"
#include "Signals.h"

WaveFormat FloatFormat(uint32_t rate, int channels);

// An engine with its two pin formats, and block-wise rendering.
struct EngineHarness {
    WaveFormat in;
    WaveFormat out;
    std::unique_ptr<ReverbEngine> owned;
    ReverbEngine& engine;

    // `engine` is the engine to drive; a plain ReverbEngine when none is given.
    EngineHarness(uint32_t rate, int inChannels, int outChannels,
                  std::unique_ptr<ReverbEngine> engine = nullptr);
    // Puts `settings` (field, value), then prepares for the two formats.
    int Prepare(std::initializer_list<std::pair<int, int32_t>> settings = {});
    void Put(int field, int32_t value) { engine.PutField(field, value); }

    // Renders `input` (interleaved, in.channels wide) in blocks of `block` frames, the first
    // in mode 0 when `first` is set, and returns the interleaved output.
    std::vector<float> Render(const std::vector<float>& input, uint32_t block, bool first = true);
};
