#pragma once
// A filter object made directly from the static library, with a stand-in source and sink
// around it, for tests that drive negotiation and streaming step by step.
#include <windows.h>
#include <dshow.h>

#include <vector>

#include "ReverbEngine.h"
#include "ReverbFilter.h"
#include "TestPins.h"
#include "TransformInputPin.h"
#include "TransformOutputPin.h"

class FilterHarness {
public:
    FilterHarness();
    ~FilterHarness();

    // Connects source -> filter -> sink with `input` and pauses the filter (streaming starts).
    HRESULT ConnectAndPause(const AM_MEDIA_TYPE& input, long notifiedBytes, long pushBytes);

    ReverbFilter* filter = nullptr;  // owned through `base`
    IBaseFilter* base = nullptr;
    IReverbControl* control = nullptr;
    SourcePin source;
    SinkPin sink;
};

// Renders `input` (interleaved, `in.channels` wide) through an engine of its own with
// `params`, as one first block followed by the whole tail when `params.Tail` is on.
std::vector<float> ReferenceRender(const ReverbParams& params, const WaveFormat& in, const WaveFormat& out,
                                   const std::vector<float>& input);

WaveFormat MakeWaveFormat(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);

// Deterministic test signal in -0.9 .. 0.9.
std::vector<float> TestSignal(size_t count, unsigned seed);
