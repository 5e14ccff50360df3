// Long run of the filter as a host uses it, every step under a watchdog, in three parts:
// 1. the filter between stand-in pins run, flushed and given a new segment (a seek),
//    paused, restarted, stopped and flushed over and over, samples streaming from one
//    thread and parameter puts from another;
// 2. the editor page opened and closed over and over on a filter that streams all the while;
// 3. the platform's graph (File Source, WAVE Parser, the filter DLL, Null Renderer) run,
//    seeked while running, paused, restarted and stopped over and over while another
//    thread puts parameters, and the same graph without the filter for comparison (the
//    platform's own filters use memory of their own there).
// Handles, GDI and USER objects, windows and private memory are read at the start, after a
// warm-up and at the end. The run fails when a step hangs, and when parts 1 or 2 grow.
// Usage: resource_cycles WAVE-FILE [graph cycles] [page cycles]
#include <windows.h>

#include <dshow.h>
#include <wrl/client.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <thread>

#include "ComApartment.h"
#include "CycleWatchdog.h"
#include "EditorPageHost.h"
#include "FilterHarness.h"
#include "FilterModule.h"
#include "GraphBuilding.h"
#include "GraphClasses.h"
#include "ProcessResources.h"
#include "WavReader.h"
#include "qvRuvodaR3.h"

using Microsoft::WRL::ComPtr;

namespace {

// Puts random values into random fields through the filter's interface until stopped.
class ParameterPutter {
public:
    explicit ParameterPutter(IReverbControl* control) : thread_([this, control] { Run(control); }) {}
    ~ParameterPutter() {
        stop_ = true;
        thread_.join();
    }
    long Puts() const { return puts_; }

private:
    void Run(IReverbControl* control) {
        ComApartment com(ComApartment::kMultithreaded);
        std::mt19937 random(7);
        while (!stop_) {
            ReverbParams params;
            control->GetAllParams(&params);
            const int field = int(random() % kParamCount);
            const ParamInfo& info = GetParamInfo(field);
            SetParam(params, field, info.minimum + int32_t(random() % uint32_t(info.maximum - info.minimum + 1)));
            control->SetAllParams(&params);
            control->put_DecayTime(int(random() % 250));
            control->SetBypass(random() % 8 == 0);
            ++puts_;
            Sleep(1);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<long> puts_{0};
    std::thread thread_;
};

// Part 3; `withFilter` false connects the WAVE Parser straight to the renderer. Only a hang
// or a graph that cannot be built fails it.
int PlatformGraphCycles(const std::string& wavePath, int cycles, bool withFilter, Watchdog& watchdog) {
    std::string error;
    WavReader reader;
    FilterModule module;
    if (reader.OpenFile(wavePath, error) != 0 || module.Load("", error) != 0) {
        std::fprintf(stderr, "resource_cycles: %s\n", error.c_str());
        return 1;
    }
    ComApartment com(ComApartment::kMultithreaded);
    Readings readings(cycles);
    ComPtr<IBaseFilter> reverb, renderer;
    ComPtr<IGraphBuilder> graph;
    SourceChain chain;
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(graph.GetAddressOf()));
    bool built = SUCCEEDED(hr) && module.CreateFilter(reverb.GetAddressOf(), error) == 0 &&
                 AddPlatformFilter(graph.Get(), kClsidNullRenderer, L"Null Renderer", renderer, error) == 0;
    if (built && withFilter) {
        built = SUCCEEDED(graph->AddFilter(reverb.Get(), kReverbFilterName)) &&
                BuildSourceChain(graph.Get(), wavePath, reader.Layout(), reverb.Get(), "", chain, error) == 0 &&
                SUCCEEDED(ConnectFilters(graph.Get(), reverb.Get(), renderer.Get()));
    } else if (built) {
        built = BuildSourceChain(graph.Get(), wavePath, reader.Layout(), renderer.Get(), "", chain, error) == 0;
    }
    ComPtr<IMediaControl> control;
    ComPtr<IMediaSeeking> seeking;
    ComPtr<IMediaFilter> clock;
    ComPtr<IReverbControl> parameters;
    ComPtr<IMediaEvent> events;
    if (built) {
        graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events.GetAddressOf()));
        graph.As(&control);
        graph.As(&seeking);
        graph.As(&clock);
        reverb.As(&parameters);
    }
    if (!control || !seeking || !clock || !parameters || !events) {
        std::fprintf(stderr, "resource_cycles: the graph could not be built: %s\n", error.c_str());
        return 1;
    }
    clock->SetSyncSource(nullptr);  // streams as fast as it can
    LONGLONG duration = 0;
    seeking->GetDuration(&duration);

    ParameterPutter putter(parameters.Get());
    std::mt19937 random(3);
    const auto seek = [&](LONGLONG position) {
        seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
    };
    for (int cycle = 1; cycle <= cycles; ++cycle) {
        watchdog.Begin("graph run", cycle);
        control->Run();
        Sleep(random() % 8);
        watchdog.Begin("graph seek while running", cycle);
        seek(duration > 0 ? LONGLONG(random() % uint64_t(duration)) : 0);
        Sleep(random() % 4);
        watchdog.Begin("graph pause", cycle);
        control->Pause();
        watchdog.Begin("graph restart", cycle);
        control->Run();
        Sleep(random() % 4);
        watchdog.Begin("graph stop", cycle);
        control->Stop();
        watchdog.Begin("graph seek while stopped", cycle);
        seek(0);
        // A host takes the graph's events; left unread they pile up in the graph.
        long code = 0;
        LONG_PTR first = 0, second = 0;
        while (events->GetEvent(&code, &first, &second, 0) == S_OK) events->FreeEventParams(code, first, second);
        readings.AfterCycle(cycle);
    }
    readings.Report("platform graph " + std::string(withFilter ? "with" : "WITHOUT") + " the filter: " +
                    std::to_string(cycles) + " cycles (run, seek, pause, run, stop, seek), " +
                    std::to_string(putter.Puts()) + " parameter puts from another thread");
    return 0;
}

// Part 1.
int FilterCycles(int cycles, Watchdog& watchdog) {
    ComApartment com(ComApartment::kMultithreaded);
    Readings readings(cycles);
    int failures = 0;
    {
        FilterHarness harness;
        AudioType stereo(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
        IPin* input = harness.filter != nullptr ? harness.filter->InputPin() : nullptr;
        if (input == nullptr || FAILED(harness.ConnectAndPause(stereo.mt, 8192, 8192))) {
            std::fprintf(stderr, "resource_cycles: the filter does not connect to the stand-in pins\n");
            return 1;
        }
        std::atomic<bool> stop{false};
        std::atomic<long> blocks{0};
        std::thread streaming([&] {
            const std::vector<float> block(1024 * 2, 0.25f);
            while (!stop) {
                // Refused while stopped or flushing, as a source's samples are.
                if (harness.source.Push(block.data(), long(block.size() * sizeof(float))) == S_OK) ++blocks;
                harness.sink.samples.clear();  // the stand-in keeps what it receives
                Sleep(0);
            }
        });
        {
            ParameterPutter putter(harness.control);
            std::mt19937 random(5);
            const auto seek = [&] {
                input->BeginFlush();
                input->EndFlush();
                input->NewSegment(0, 10000000, 1.0);
            };
            for (int cycle = 1; cycle <= cycles; ++cycle) {
                watchdog.Begin("filter run", cycle);
                harness.base->Run(0);
                Sleep(random() % 4);
                watchdog.Begin("filter flush while running", cycle);
                seek();
                watchdog.Begin("filter pause", cycle);
                harness.base->Pause();
                watchdog.Begin("filter restart", cycle);
                harness.base->Run(0);
                Sleep(random() % 4);
                watchdog.Begin("filter stop", cycle);
                harness.base->Stop();
                watchdog.Begin("filter flush while stopped, pause", cycle);
                seek();
                harness.base->Pause();
                readings.AfterCycle(cycle);
            }
            std::printf("(%ld parameter puts, ", putter.Puts());
        }
        stop = true;
        streaming.join();
        std::printf("%ld blocks taken)\n", blocks.load());
        harness.base->Stop();
    }
    if (!readings.Report("filter between stand-in pins: " + std::to_string(cycles) +
                         " cycles (run, flush, pause, run, stop, flush, pause)"))
        ++failures;
    return failures;
}

// Part 2.
int PageCycles(int cycles, Watchdog& watchdog) {
    ComApartment com(ComApartment::kOleUserInterface);
    Readings readings(cycles);
    int failures = 0;
    {
        EditorPageHost host;
        if (FAILED(host.ConnectStereo())) {
            std::fprintf(stderr, "resource_cycles: the filter does not stream\n");
            return 1;
        }
        std::atomic<bool> stop{false};
        std::atomic<long> blocks{0};
        std::thread streaming([&] {
            for (int i = 0; !stop; ++i) {
                // An overload now and then, for the clip indicators.
                if (host.Push(i % 64 == 0 ? 1.5f : 0.25f, -0.25f, 512) == S_OK) ++blocks;
                host.filter.sink.samples.clear();  // the stand-in keeps what it receives
                Sleep(1);
            }
        });
        for (int cycle = 1; cycle <= cycles && failures == 0; ++cycle) {
            watchdog.Begin("page open", cycle);
            const std::string failed = host.Open();
            if (!failed.empty()) {
                std::fprintf(stderr, "resource_cycles: cycle %d: %s\n", cycle, failed.c_str());
                ++failures;
            }
            watchdog.Begin("page showing meters", cycle);
            const ULONGLONG until = GetTickCount64() + 160;  // two meter ticks
            while (GetTickCount64() < until) {
                Pump();
                Sleep(5);
            }
            watchdog.Begin("page close", cycle);
            host.Close();
            readings.AfterCycle(cycle);
        }
        stop = true;
        streaming.join();
        std::printf("(%ld blocks streamed)\n", blocks.load());
    }
    if (!readings.Report("editor page: " + std::to_string(cycles) + " cycles (open, meters, close)"))
        ++failures;
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: resource_cycles WAVE-FILE [graph cycles] [page cycles]\n");
        return 2;
    }
    const int graphCycles = argc > 2 ? std::atoi(argv[2]) : 1000;
    const int pageCycles = argc > 3 ? std::atoi(argv[3]) : 200;
    Watchdog watchdog;
    int failures = 0;
    // The parts whose figures must stay flat go first, before the platform's graph has
    // taken memory that it gives back only later.
    if (graphCycles > 0) failures += FilterCycles(graphCycles, watchdog);
    if (pageCycles > 0) failures += PageCycles(pageCycles, watchdog);
    if (graphCycles > 0) {
        failures += PlatformGraphCycles(argv[1], graphCycles, false, watchdog);
        failures += PlatformGraphCycles(argv[1], graphCycles, true, watchdog);
    }
    std::printf("%s\n", failures == 0 ? "cycles passed" : "cycles FAILED");
    return failures == 0 ? 0 : 1;
}
