// ruvoda-render: renders a WAVE file through the reverb engine into another WAVE file.
#include <cstdio>
#include <string>

#include "EngineRender.h"
#include "InterruptCleanup.h"
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

    WavReader reader;
    if (reader.OpenFile(options.inputPath, error) != 0) return Fail(error);

    ReverbEngine engine;
    ApplyRenderOptions(options, engine);

    // Armed before the temporary file exists, so that no interruption can strand it.
    RemoveOnInterrupt(WavWriter::TemporaryPath(options.outputPath));
    WavWriter writer;
    const SampleEncoding encoding = options.pcm16 ? SampleEncoding::kPcm16 : SampleEncoding::kFloat32;
    if (writer.Open(options.outputPath, options.mono ? 1 : 2, reader.SampleRate(), encoding,
                    error) != 0)
        return Fail(error);

    RenderStats stats;
    if (RenderThroughEngine(engine, options.blockFrames, options.mono, reader, writer, stats,
                            error) != 0 ||
        writer.Commit(error) != 0)
        return Fail(error);  // the writer removes its temporary file
    RemoveOnInterrupt("");

    std::fprintf(stderr, "ruvoda-render: %s\n", stats.Summary().c_str());
    return 0;
}
