#pragma once
#include <string>

#include "RenderStats.h"

class FrameSink;
class WavReader;
class WavWriter;
struct RenderOptions;

// Plays `input`'s file through the filter of the DLL named by --dll (default: beside this
// program), loaded through its class factory, in a DirectShow graph: the
// platform's File Source (Async) and WAVE Parser, the filter, a sample grabber and the Null
// Renderer, with no clock so that it runs as fast as it can. The parameters, --mono,
// --bypass and --tail reach the filter through its parameter interface before anything is
// connected. Opens `writer` on the output path with the filter's output format (16- and
// 24-bit output keep their width; --pcm16 and --pcm24 choose one for any output) and hands
// every frame the filter delivers to `output` (the writer, or what passes frames on to it)
// until the graph reports completion; the caller commits the writer. The graph reads the
// input file itself: `input` only gives its layout and length, and the statistics have no
// input levels. Initialises COM on this thread for the duration.
// 0, or -1 with a one-line `error`.
int RenderThroughGraph(const RenderOptions& options, const WavReader& input, WavWriter& writer,
                       FrameSink& output, RenderStats& stats, std::string& error);
