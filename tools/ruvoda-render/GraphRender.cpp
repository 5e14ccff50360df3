#include "GraphRender.h"

#include <windows.h>

#include <dshow.h>
#include <qedit.h>
#include <wrl/client.h>

#include <chrono>

#include "ComApartment.h"
#include "FilterModule.h"
#include "GraphBuilding.h"
#include "GraphClasses.h"
#include "ParameterControl.h"
#include "RenderOptions.h"
#include "RenderSettings.h"
#include "SampleCollector.h"
#include "WavReader.h"
#include "WavWriter.h"
#include "qvRuvodaR3.h"

using Microsoft::WRL::ComPtr;

namespace {

// How long a running graph may deliver nothing before the render gives up on it.
constexpr auto kStallLimit = std::chrono::seconds(60);

// The command line's settings, worked out by the same clamping puts as in engine mode and
// handed to the filter as one record.
int ApplyToFilter(const RenderOptions& options, IBaseFilter* filter, std::string& error) {
    ParameterControl settings;
    ApplyRenderOptions(options, settings);
    ReverbParams record;
    settings.GetAllParams(record);
    ComPtr<IReverbControl> control;
    HRESULT hr = filter->QueryInterface(IID_IReverbControl, reinterpret_cast<void**>(control.GetAddressOf()));
    if (FAILED(hr)) return GraphFailure(error, "the filter does not offer its parameter interface", hr);
    hr = control->SetAllParams(&record);
    if (SUCCEEDED(hr)) hr = control->put_StereoOutput(settings.GetStereoOutput());
    if (SUCCEEDED(hr)) hr = control->SetBypass(settings.GetBypass());
    if (FAILED(hr)) return GraphFailure(error, "the filter refuses the parameters", hr);
    return 0;
}

// The source chain into the reverb filter, and its output through the sample grabber into
// the Null Renderer.
struct RenderFilters {
    SourceChain chain;
    ComPtr<IBaseFilter> grabber, renderer;
};

int BuildGraph(const RenderOptions& options, const WavLayout& layout, IGraphBuilder* graph,
               IBaseFilter* reverb, RenderFilters& filters, std::string& error) {
    HRESULT hr = graph->AddFilter(reverb, kReverbFilterName);
    if (FAILED(hr)) return GraphFailure(error, "cannot add the reverb filter to the graph", hr);
    if (BuildSourceChain(graph, options.inputPath, layout, reverb, " (--engine renders the rest)", filters.chain,
                         error) != 0 ||
        AddPlatformFilter(graph, kClsidSampleGrabber, L"SampleGrabber", filters.grabber, error) != 0 ||
        AddPlatformFilter(graph, kClsidNullRenderer, L"Null Renderer", filters.renderer, error) != 0)
        return -1;
    hr = ConnectFilters(graph, reverb, filters.grabber.Get());
    if (SUCCEEDED(hr)) hr = ConnectFilters(graph, filters.grabber.Get(), filters.renderer.Get());
    if (FAILED(hr)) return GraphFailure(error, "cannot connect the reverb filter's output", hr);
    return 0;
}

int OutputFormat(IBaseFilter* reverb, WAVEFORMATEX& format, std::string& error) {
    ComPtr<IReverbControl> control;
    HRESULT hr = reverb->QueryInterface(IID_IReverbControl, reinterpret_cast<void**>(control.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = control->GetConnectionFormat(&format, 1);
    if (FAILED(hr)) return GraphFailure(error, "the reverb filter reports no output format", hr);
    const uint16_t bits = format.wBitsPerSample;
    const bool known = format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT ? bits == 32 : bits == 16 || bits == 24 || bits == 32;
    if (!known || format.nChannels < 1 ||
        format.nChannels > 2) {
        error = "the reverb filter's output format is unexpected: " +
                std::to_string(format.nChannels) + " channels of " +
                std::to_string(format.wBitsPerSample) + " bits";
        return -1;
    }
    return 0;
}

// Runs the graph until it reports completion, an error, a stall or the collector fails.
int RunToCompletion(IGraphBuilder* graph, SampleCollector& collector, std::string& error) {
    ComPtr<IMediaFilter> clock;
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;
    HRESULT hr = graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(clock.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(control.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events.GetAddressOf()));
    // Without a reference clock the renderer takes samples as soon as they come.
    if (SUCCEEDED(hr)) hr = clock->SetSyncSource(nullptr);
    if (FAILED(hr)) return GraphFailure(error, "the filter graph cannot run without a clock", hr);
    hr = control->Run();
    if (FAILED(hr)) {
        control->Stop();
        return GraphFailure(error, "the filter graph does not start", hr);
    }
    long code = 0;
    uint64_t seen = 0;
    auto lastProgress = std::chrono::steady_clock::now();
    for (;;) {
        hr = events->WaitForCompletion(100, &code);
        if (hr != E_ABORT || collector.Failed()) break;
        const auto now = std::chrono::steady_clock::now();
        if (collector.Frames() != seen) {
            seen = collector.Frames();
            lastProgress = now;
        } else if (now - lastProgress > kStallLimit) {
            break;
        }
    }
    control->Stop();
    if (collector.Failed()) {
        error = collector.Error();
        return -1;
    }
    if (hr == E_ABORT) {
        error = "the filter graph stalled: nothing arrived for " +
                std::to_string(std::chrono::duration_cast<std::chrono::seconds>(kStallLimit).count()) + " s";
        return -1;
    }
    if (FAILED(hr) || code != EC_COMPLETE)
        return GraphFailure(error, "the filter graph stopped with event " + std::to_string(code) + " before completion", hr);
    return 0;
}

}  // namespace

int RenderThroughGraph(const RenderOptions& options, const WavReader& input, WavWriter& writer,
                       FrameSink& output, RenderStats& stats, std::string& error) {
    // Declared first, so that the DLL is unloaded after every object it made is gone.
    FilterModule module;
    if (module.Load(options.dllPath, error) != 0) return -1;
    ComApartment com(ComApartment::kMultithreaded);
    if (FAILED(com.Result())) return GraphFailure(error, "COM does not start", com.Result());
    ComPtr<IBaseFilter> reverb;
    if (module.CreateFilter(reverb.GetAddressOf(), error) != 0) return -1;
    if (ApplyToFilter(options, reverb.Get(), error) != 0) return -1;

    ComPtr<IGraphBuilder> graph;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(graph.GetAddressOf()));
    if (FAILED(hr)) return GraphFailure(error, "the platform's filter graph is not available", hr);
    RenderFilters filters;
    if (BuildGraph(options, input.Layout(), graph.Get(), reverb.Get(), filters, error) != 0) return -1;

    WAVEFORMATEX format{};
    if (OutputFormat(reverb.Get(), format, error) != 0) return -1;
    // Integer output keeps its width where a WAVE file of ours can hold it.
    const SampleEncoding natural = format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT ? SampleEncoding::kFloat32
                                   : format.wBitsPerSample == 16                ? SampleEncoding::kPcm16
                                   : format.wBitsPerSample == 24                ? SampleEncoding::kPcm24
                                                                                : SampleEncoding::kFloat32;
    if (writer.Open(options.outputPath, format.nChannels, format.nSamplesPerSec, OutputEncoding(options, natural),
                    error) != 0)
        return -1;

    ComPtr<ISampleGrabber> grab;
    hr = filters.grabber->QueryInterface(kIidSampleGrabber, reinterpret_cast<void**>(grab.GetAddressOf()));
    SampleCollector collector(output, stats, format.nChannels, format.wBitsPerSample,
                              format.wFormatTag == WAVE_FORMAT_IEEE_FLOAT);
    if (SUCCEEDED(hr)) hr = grab->SetBufferSamples(FALSE);
    if (SUCCEEDED(hr)) hr = grab->SetCallback(&collector, 0);
    if (FAILED(hr)) return GraphFailure(error, "the sample grabber takes no callback", hr);

    stats.Start(format.nSamplesPerSec, input.Channels(), format.nChannels);
    stats.SetInputFrames(input.Layout().frames);
    const int result = RunToCompletion(graph.Get(), collector, error);
    grab->SetCallback(nullptr, 0);
    stats.Stop();
    return result;
}
