#pragma once
// A filter object made directly from the static library, with a stand-in source and sink
// around it, for tests that drive negotiation and streaming step by step.
#include <windows.h>
#include <dshow.h>

#include <vector>

#include "ReverbEngine.h"
#include "ReverbFilter.h"
#include "StandInPins.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"
#include "WaveTypes.h"

class FilterHarness {
public:
    FilterHarness();
    ~FilterHarness();

    // Connects source -> filter -> sink with `input` and pauses the filter (streaming starts).
    HRESULT ConnectAndPause(const MediaType& input, long notifiedBytes, long pushBytes);
    ReverbParams Params() const;

    // The stand-ins first: they outlive the filter.
    SourcePin source;
    SinkPin sink;
    ReverbFilter* filter = nullptr;  // owned through `base`
    IBaseFilter* base = nullptr;
    IReverbControl* control = nullptr;
};

// Renders `input` (interleaved, `in.channels` wide) through an engine of its own with
// `params`, as one first block followed by the whole tail when `params.Tail` is on.
std::vector<float> ReferenceRender(const ReverbParams& params, const WaveFormat& in, const WaveFormat& out,
                                   const std::vector<float>& input);

// The engine's record of a plain wave format.
WaveFormat EngineFormat(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);

// Each expected value within `tolerance` of the actual one, the first miss named.
void ExpectSameSamples(const std::vector<float>& expected, const std::vector<float>& actual,
                       float tolerance = 1e-6f);
