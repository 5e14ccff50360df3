#pragma once
#include <windows.h>

#include <dshow.h>
#include <wrl/client.h>

#include <string>

struct WavLayout;

// Building blocks of the graphs the tools make around the filter: the platform's filters
// added by class, pins connected directly, and the source chain that reads a WAVE file.

// The name the module registers the filter under, which graph editors show.
inline constexpr wchar_t kReverbFilterName[] = L"Quillorn qv:Ruvoda R3";

// Sets `error` to `text` followed by the result code; returns -1.
int GraphFailure(std::string& error, const std::string& text, HRESULT hr);

// Creates the platform filter of `clsid` and adds it to `graph` under `name`.
// 0, or -1 with `error` set.
int AddPlatformFilter(IGraphBuilder* graph, REFCLSID clsid, const wchar_t* name,
                      Microsoft::WRL::ComPtr<IBaseFilter>& filter, std::string& error);

// Connects the first output pin of `from` to the first input pin of `to`, with no filters
// put in between.
HRESULT ConnectFilters(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to);

// The platform's File Source (Async) and WAVE Parser reading one file.
struct SourceChain {
    Microsoft::WRL::ComPtr<IBaseFilter> source, parser;
};

// Adds the source chain for the file at `path`, whose samples are laid out as `layout`, to
// `graph`, which already holds `reverb`, and connects it up to the reverb filter's input.
// `hint` ends the error when the reverb filter refuses the file's samples.
// 0, or -1 with `error` set.
int BuildSourceChain(IGraphBuilder* graph, const std::string& path, const WavLayout& layout,
                     IBaseFilter* reverb, const std::string& hint, SourceChain& chain,
                     std::string& error);
