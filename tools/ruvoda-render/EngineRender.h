#pragma once
#include <cstdint>
#include <string>

#include "FrameStream.h"
#include "RenderStats.h"

class ReverbEngine;

// Streams `source` through `engine` into `sink` in blocks of at most `blockFrames` frames:
// the first block is a discontinuity, the others continue it; when the engine's Tail
// field is on, tail blocks follow until the engine reports the tail complete. The output
// has 1 channel when `mono`, otherwise 2. 0, or -1 with `error` set.
int RenderThroughEngine(ReverbEngine& engine, uint32_t blockFrames, bool mono,
                        FrameSource& source, FrameSink& sink, RenderStats& stats,
                        std::string& error);
