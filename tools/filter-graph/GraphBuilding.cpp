#include "GraphBuilding.h"

#include <cwchar>

#include "ComResult.h"
#include "GraphClasses.h"
#include "WavReader.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring FullWidePath(const std::string& path) {
    std::wstring wide(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wchar_t full[4096];
    const DWORD length = GetFullPathNameW(wide.c_str(), 4096, full, nullptr);
    return length > 0 && length < 4096 ? std::wstring(full, length) : wide.c_str();
}

ComPtr<IPin> FindPin(IBaseFilter* filter, PIN_DIRECTION wanted) {
    ComPtr<IEnumPins> pins;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    ComPtr<IPin> pin;
    while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) {
        PIN_DIRECTION direction;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == wanted) return pin;
    }
    return nullptr;
}

std::string DescribeSamples(const WavLayout& layout) {
    return std::to_string(layout.bitsPerSample) + (layout.isFloat ? "-bit float" : "-bit integer");
}

}  // namespace

int GraphFailure(std::string& error, const std::string& text, HRESULT hr) {
    error = text + " (" + DescribeResult(hr) + ")";
    return -1;
}

int AddPlatformFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name, ComPtr<IBaseFilter>& filter,
                      std::string& error) {
    const std::string narrow(name, name + wcslen(name));
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(filter.ReleaseAndGetAddressOf()));
    if (FAILED(hr)) return GraphFailure(error, "the platform's " + narrow + " filter is not available", hr);
    hr = graph->AddFilter(filter.Get(), name);
    if (FAILED(hr)) return GraphFailure(error, "cannot add the " + narrow + " filter to the graph", hr);
    return 0;
}

HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to) {
    ComPtr<IPin> out = FindPin(from, PINDIR_OUTPUT);
    ComPtr<IPin> in = FindPin(to, PINDIR_INPUT);
    if (!out || !in) return VFW_E_NOT_FOUND;
    return graph->ConnectDirect(out.Get(), in.Get(), nullptr);
}

int BuildSourceChain(IGraphBuilder* graph, const std::string& path, const WavLayout& layout,
                     IBaseFilter* reverb, const std::string& hint, SourceChain& chain,
                     std::string& error) {
    if (AddPlatformFilter(graph, CLSID_AsyncReader, L"File Source (Async)", chain.source, error) != 0 ||
        AddPlatformFilter(graph, kClsidWaveParser, L"WAVE Parser", chain.parser, error) != 0)
        return -1;
    ComPtr<IFileSourceFilter> file;
    HRESULT hr = chain.source.As(&file);
    if (SUCCEEDED(hr)) hr = file->Load(FullWidePath(path).c_str(), nullptr);
    if (FAILED(hr)) return GraphFailure(error, "the File Source cannot open " + path, hr);
    hr = ConnectFilters(graph, chain.source.Get(), chain.parser.Get());
    if (FAILED(hr)) return GraphFailure(error, "the WAVE Parser cannot read " + path, hr);
    hr = ConnectFilters(graph, chain.parser.Get(), reverb);
    if (FAILED(hr))
        return GraphFailure(error, "the reverb filter refuses " + DescribeSamples(layout) +
                                       " audio; it takes 16-, 24- or 32-bit integer or 32-bit float" + hint,
                            hr);
    return 0;
}
