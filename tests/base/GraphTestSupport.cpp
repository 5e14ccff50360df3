#include "GraphTestSupport.h"
#include <qedit.h>

namespace {

constexpr CLSID kWaveParser = {0xd51bd5a1, 0x7548, 0x11cf, {0xa5, 0x20, 0x00, 0x80, 0xc7, 0x7e, 0xf5, 0x8a}};
constexpr CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
constexpr CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};

HRESULT AddFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name, ComPtr<IBaseFilter>& out) {
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(out.ReleaseAndGetAddressOf()));
    return FAILED(hr) ? hr : graph->AddFilter(out.Get(), name);
}

HRESULT Link(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to) {
    ComPtr<IPin> out = FirstPin(from, PINDIR_OUTPUT);
    ComPtr<IPin> in = FirstPin(to, PINDIR_INPUT);
    if (!out || !in) return E_FAIL;
    return graph->ConnectDirect(out.Get(), in.Get(), nullptr);
}

}  // namespace

ComPtr<IPin> FirstPin(IBaseFilter* filter, PIN_DIRECTION dir) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION d;
        if (SUCCEEDED(pin->QueryDirection(&d)) && d == dir) return pin;
    }
    return nullptr;
}

HalfGainGraph::HalfGainGraph() : filter(new HalfGainFilter()) {
    filter->NonDelegatingQueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(filterRef.GetAddressOf()));
}

HRESULT HalfGainGraph::Build(const std::wstring& wavPath) {
    HRESULT hr = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_IGraphBuilder,
                                  reinterpret_cast<void**>(graph.GetAddressOf()));
    if (FAILED(hr)) return hr;
    if (FAILED(hr = AddFilter(graph.Get(), CLSID_AsyncReader, L"Source", source))) return hr;
    ComPtr<IFileSourceFilter> file;
    if (FAILED(hr = source.As(&file)) || FAILED(hr = file->Load(wavPath.c_str(), nullptr))) return hr;
    if (FAILED(hr = AddFilter(graph.Get(), kWaveParser, L"Parser", parser))) return hr;
    if (FAILED(hr = graph->AddFilter(filterRef.Get(), L"Half Gain"))) return hr;
    if (FAILED(hr = AddFilter(graph.Get(), kSampleGrabber, L"Grabber", grabber))) return hr;
    if (FAILED(hr = AddFilter(graph.Get(), kNullRenderer, L"Renderer", renderer))) return hr;

    ComPtr<ISampleGrabber> grab;
    if (FAILED(hr = grabber.As(&grab))) return hr;
    AM_MEDIA_TYPE audio = {};
    audio.majortype = MEDIATYPE_Audio;
    grab->SetMediaType(&audio);
    grab->SetCallback(&collector, 0);

    if (FAILED(hr = Link(graph.Get(), source.Get(), parser.Get()))) return hr;
    if (FAILED(hr = Link(graph.Get(), parser.Get(), filterRef.Get()))) return hr;
    if (FAILED(hr = Link(graph.Get(), filterRef.Get(), grabber.Get()))) return hr;
    if (FAILED(hr = Link(graph.Get(), grabber.Get(), renderer.Get()))) return hr;

    // Without a clock the graph renders as fast as it can.
    ComPtr<IMediaFilter> timing;
    if (FAILED(hr = graph.As(&timing))) return hr;
    return timing->SetSyncSource(nullptr);
}

HRESULT HalfGainGraph::RunToCompletion(long* eventCode) {
    ComPtr<IMediaControl> control;
    ComPtr<IMediaEvent> events;
    HRESULT hr;
    if (FAILED(hr = graph.As(&control)) ||
        FAILED(hr = graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(events.GetAddressOf()))))
        return hr;
    // An EC_COMPLETE left from an earlier run would end the wait at once.
    long code = 0;
    LONG_PTR p1 = 0, p2 = 0;
    while (events->GetEvent(&code, &p1, &p2, 0) == S_OK) events->FreeEventParams(code, p1, p2);
    if (FAILED(hr = control->Run())) return hr;
    *eventCode = 0;
    const DWORD deadline = GetTickCount() + 20000;
    while (GetTickCount() < deadline) {
        if (events->GetEvent(&code, &p1, &p2, 100) != S_OK) continue;
        events->FreeEventParams(code, p1, p2);
        if (code == EC_COMPLETE || code == EC_ERRORABORT || code == EC_USERABORT) {
            *eventCode = code;
            return code == EC_COMPLETE ? S_OK : S_FALSE;
        }
    }
    return VFW_E_TIMEOUT;
}

HRESULT HalfGainGraph::Pause() {
    ComPtr<IMediaControl> control;
    HRESULT hr = graph.As(&control);
    if (FAILED(hr)) return hr;
    control->Pause();
    OAFilterState state;
    return control->GetState(5000, &state);
}

HRESULT HalfGainGraph::Stop() {
    ComPtr<IMediaControl> control;
    HRESULT hr = graph.As(&control);
    return FAILED(hr) ? hr : control->Stop();
}

HRESULT HalfGainGraph::Rewind() {
    ComPtr<IMediaSeeking> seeking;
    HRESULT hr = graph.As(&seeking);
    if (FAILED(hr)) return hr;
    LONGLONG zero = 0;
    return seeking->SetPositions(&zero, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
}
