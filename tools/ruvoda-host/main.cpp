// ruvoda-host: what a graph-editing host does with the filter, in one small program. It
// plays a WAVE file in a loop through the filter DLL in a DirectShow graph and shows the
// filter's property pages in the system's property frame; with --screenshot it writes a
// picture of the frame and exits.
#include <windows.h>

#include <wrl/client.h>

#include <cstdio>
#include <string>

#include "ComApartment.h"
#include "FilterModule.h"
#include "FrameScreenshot.h"
#include "GraphBuilding.h"
#include "HostOptions.h"
#include "HostWindow.h"
#include "PlaybackGraph.h"
#include "ProcessClasses.h"
#include "PropertyFrame.h"
#include "WavReader.h"
#include "qvRuvodaR3.h"

using Microsoft::WRL::ComPtr;

namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "ruvoda-host: %s\n", message.c_str());
    return 1;
}

// Everything from the filter's creation to the frame's closing; the caller keeps the DLL
// and OLE alive around it.
int Host(const HostOptions& options, const WavLayout& layout, FilterModule& module) {
    std::string error;
    ProcessClasses classes;
    if (classes.Register(module, error) != 0) return Fail(error);
    ComPtr<IBaseFilter> reverb;
    if (module.CreateFilter(reverb.GetAddressOf(), error) != 0) return Fail(error);
    ComPtr<IReverbControl> control;
    HRESULT hr = reverb->QueryInterface(IID_IReverbControl, reinterpret_cast<void**>(control.GetAddressOf()));
    if (FAILED(hr)) {
        GraphFailure(error, "the filter does not offer its parameter interface", hr);
        return Fail(error);
    }

    PlaybackGraph graph;
    if (graph.Build(options.inputPath, layout, reverb.Get(), error) != 0) return Fail(error);
    PropertyFrame frame;
    if (frame.Prepare(reverb.Get(), error) != 0) return Fail(error);
    HostWindow window(graph);
    if (window.Create(error) != 0) return Fail(error);

    std::fprintf(stderr, "ruvoda-host: playing %s through %s\n", options.inputPath.c_str(),
                 graph.Description().c_str());
    if (graph.Run(window.Handle(), HostWindow::kGraphEvent, error) != 0) return Fail(error);
    FrameScreenshot shot(options.screenshotPath, frame, control.Get(), graph);
    if (!options.screenshotPath.empty()) window.Schedule(shot, options.afterSeconds);
    const int shown = frame.Show(error);
    graph.Stop();
    if (shown != 0) return Fail(error);
    if (options.screenshotPath.empty()) return 0;
    if (!shot.Taken())
        return Fail(!shot.Error().empty() ? shot.Error() : "the property frame was closed before the screenshot");
    std::fprintf(stderr, "ruvoda-host: %s\n", shot.Report().c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    HostOptions options;
    std::string error;
    if (ParseHostOptions(argc, argv, options, error) != 0) return Fail(error + " (see --help)");
    if (options.help) {
        std::fputs(HostUsage(), stdout);
        return 0;
    }
    // The file is checked before any graph exists, so that its faults get their own words.
    WavReader reader;
    if (reader.OpenFile(options.inputPath, error) != 0) return Fail(error);

    // Declared before COM and every object, so that the DLL is unloaded after all of them.
    FilterModule module;
    if (module.Load(options.dllPath, error) != 0) return Fail(error);
    ComApartment ole(ComApartment::kOleUserInterface);
    if (FAILED(ole.Result())) return Fail("OLE does not start");
    return Host(options, reader.Layout(), module);
}
