// ruvoda-render: renders a WAVE file through the reverb into another WAVE file, either with
// the engine built in (engine mode) or, on Windows by default, through the filter DLL in a
// DirectShow graph (graph mode).
#include <cstdio>
#include <string>

#include "EngineRender.h"
#ifdef _WIN32
#include "GraphRender.h"
#endif
#include "InterruptCleanup.h"
#include "ParameterControl.h"
#include "PresetLibrary.h"
#include "ProgressLine.h"
#include "RenderOptions.h"
#include "RenderSettings.h"
#include "RenderStats.h"
#include "ReverbEngine.h"
#include "WavReader.h"
#include "WavWriter.h"

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "ruvoda-render: %s\n", message.c_str());
    return 1;
}

// What the render will write: the input and, with --tail, the tail the settings give.
uint64_t ExpectedFrames(const RenderOptions& options, const WavLayout& input) {
    ParameterControl settings;
    ApplyRenderOptions(options, settings);
    ReverbParams params;
    settings.GetAllParams(params);
    return input.frames + ReverbEngine::TailFrames(params, input.sampleRate);
}

void ShowOnStandardError(const std::string& text) {
    std::fputs(text.c_str(), stderr);
    std::fflush(stderr);
}

int RenderWithEngine(const RenderOptions& options, WavReader& reader, WavWriter& writer,
                     FrameSink& output, RenderStats& stats, std::string& error) {
    ReverbEngine engine;
    ApplyRenderOptions(options, engine);
    const SampleEncoding encoding = OutputEncoding(options, SampleEncoding::kFloat32);
    if (writer.Open(options.outputPath, options.mono ? 1 : 2, reader.SampleRate(), encoding,
                    error) != 0)
        return -1;
    return RenderThroughEngine(engine, options.blockFrames, options.mono, reader, output, stats,
                               error);
}

}  // namespace

int main(int argc, char** argv) {
    RenderOptions options;
    std::string error;
    if (ParseRenderOptions(argc, argv, options, error) != 0)
        return Fail(error + " (see --help)");
    if (options.help) {
        std::fputs(RenderUsage(), stdout);
        return 0;
    }
    if (options.listPresets) {
        PresetLibrary library;
        if (library.Load(options.presetsPath.empty() ? FactoryPresetsPath() : options.presetsPath, error) != 0)
            return Fail(error);
        std::fputs(library.Listing().c_str(), stdout);
        return 0;
    }
    if (ResolvePresetOption(options, error) != 0) return Fail(error);

#ifndef _WIN32
    if (!options.dllPath.empty())
        return Fail("--dll needs the Windows build; this one has engine mode only");
#endif

#ifdef _WIN32
    // The graph's File Source reads a file by its name; only the engine reads a pipe.
    if (!options.engine && (options.inputPath == "-" || options.outputPath == "-"))
        return Fail("standard input and output (\"-\") need --engine");
#endif

    WavReader reader;
    if (reader.OpenFile(options.inputPath, error) != 0) return Fail(error);

    // Armed before the temporary file exists, so that no interruption can strand it.
    RemoveOnInterrupt(WavWriter::TemporaryPath(options.outputPath));
    WavWriter writer;
    RenderStats stats;
    ProgressLine progress(writer, StandardErrorIsTerminal(), ExpectedFrames(options, reader.Layout()),
                          reader.SampleRate(), ShowOnStandardError);
#ifdef _WIN32
    const int rendered = options.engine ? RenderWithEngine(options, reader, writer, progress, stats, error)
                                        : RenderThroughGraph(options, reader, writer, progress, stats, error);
#else
    const int rendered = RenderWithEngine(options, reader, writer, progress, stats, error);
#endif
    progress.Finish();
    if (rendered != 0 || writer.Commit(error) != 0)
        return Fail(error);  // the writer removes its temporary file
    RemoveOnInterrupt("");

    std::fprintf(stderr, "ruvoda-render: %s\n", stats.Summary().c_str());
    return 0;
}
