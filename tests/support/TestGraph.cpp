#include "TestGraph.h"

#include <qedit.h>

#include <fstream>

#include "GraphClasses.h"
#include "MediaType.h"
#include "WavReader.h"

using Microsoft::WRL::ComPtr;

GraphCollector::GraphCollector(uint16_t channels, uint16_t bits, bool isFloat)
    : SampleCollector(*this, stats_, channels, bits, isFloat), channels_(channels) {}

void GraphCollector::Clear() {
    values.clear();
    samples = wellTimed = 0;
}

HRESULT STDMETHODCALLTYPE GraphCollector::SampleCB(double time, IMediaSample* sample) {
    REFERENCE_TIME start = 0, stop = 0;
    if (sample->GetTime(&start, &stop) == S_OK && start == (samples == 0 ? 0 : lastStop_) && stop > start)
        ++wellTimed;
    lastStop_ = stop;
    ++samples;
    return SampleCollector::SampleCB(time, sample);
}

int GraphCollector::Write(const float* frames, uint32_t count, std::string&) {
    values.insert(values.end(), frames, frames + size_t(count) * channels_);
    return 0;
}

HRESULT TestGraph::Build(const std::string& path, IBaseFilter* filter, std::string& error) {
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(graph.GetAddressOf()));
    if (FAILED(hr)) return hr;
    if (FAILED(hr = graph->AddFilter(filter, L"Under test"))) return hr;
    if (BuildSourceChain(graph.Get(), path, WavLayout{}, filter, "", chain, error) != 0 ||
        AddPlatformFilter(graph.Get(), kClsidSampleGrabber, L"SampleGrabber", grabber, error) != 0 ||
        AddPlatformFilter(graph.Get(), kClsidNullRenderer, L"Null Renderer", renderer, error) != 0)
        return E_FAIL;
    ComPtr<ISampleGrabber> grab;
    if (FAILED(hr = grabber->QueryInterface(kIidSampleGrabber, reinterpret_cast<void**>(grab.GetAddressOf()))) ||
        FAILED(hr = grab->SetCallback(collector, 0)) ||
        FAILED(hr = ConnectFilters(graph.Get(), filter, grabber.Get())) ||
        FAILED(hr = ConnectFilters(graph.Get(), grabber.Get(), renderer.Get())))
        return hr;
    ComPtr<IMediaFilter> timing;
    if (FAILED(hr = graph.As(&timing)) || FAILED(hr = graph.As(&control)) || FAILED(hr = graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events.GetAddressOf()))) ||
        FAILED(hr = graph.As(&seeking)))
        return hr;
    return timing->SetSyncSource(nullptr);
}

HRESULT TestGraph::RunToCompletion(long* eventCode) {
    // An EC_COMPLETE left from an earlier run would end the wait at once.
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) events->FreeEventParams(code, p1, p2);
    HRESULT hr = control->Run();
    if (FAILED(hr)) return hr;
    for (const DWORD deadline = GetTickCount() + 30000; GetTickCount() < deadline;) {
        if (events->GetEvent(eventCode, &p1, &p2, 100) != S_OK) continue;
        events->FreeEventParams(*eventCode, p1, p2);
        if (*eventCode == EC_COMPLETE || *eventCode == EC_ERRORABORT || *eventCode == EC_USERABORT)
            return *eventCode == EC_COMPLETE ? S_OK : S_FALSE;
    }
    return VFW_E_TIMEOUT;
}

HRESULT TestGraph::Pause() {
    control->Pause();
    OAFilterState state;
    return control->GetState(5000, &state);
}

HRESULT TestGraph::Rewind() {
    LONGLONG zero = 0;
    return seeking->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}

TempFile::TempFile(const std::string& bytes) {
    char folder[MAX_PATH] = "", file[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    if (!GetTempFileNameA(folder, "rvt", 0, file)) return;
    path_ = file;
    std::ofstream out(path_, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    written_ = static_cast<bool>(out);
}

TempFile::~TempFile() {
    if (!path_.empty()) DeleteFileA(path_.c_str());
}
