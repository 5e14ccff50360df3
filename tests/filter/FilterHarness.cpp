#include "FilterHarness.h"

#include <gtest/gtest.h>

#include "AudioFormat.h"

FilterHarness::FilterHarness() {
    // Its own hold on COM, for programs and benchmarks whose main does not start it.
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    HRESULT hr = S_OK;
    IUnknown* unknown = ReverbFilter::Create(nullptr, &hr);
    if (unknown == nullptr) return;
    unknown->QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&base));
    base->QueryInterface(IID_IReverbControl, reinterpret_cast<void**>(&control));
    filter = static_cast<ReverbFilter*>(base);
}

FilterHarness::~FilterHarness() {
    if (base != nullptr) {
        base->Stop();
        source.Unplug();
        filter->OutputPin()->Disconnect();
        control->Release();
        base->Release();
    }
    CoUninitialize();
}

HRESULT FilterHarness::ConnectAndPause(const MediaType& input, long notifiedBytes, long pushBytes) {
    HRESULT hr = source.ConnectTo(filter->InputPin(), input.Get(), notifiedBytes, pushBytes);
    if (SUCCEEDED(hr)) hr = filter->OutputPin()->Connect(&sink, nullptr);
    return FAILED(hr) ? hr : base->Pause();
}

ReverbParams FilterHarness::Params() const {
    ReverbParams params;
    control->GetAllParams(&params);
    return params;
}

std::vector<float> ReferenceRender(const ReverbParams& params, const WaveFormat& in, const WaveFormat& out,
                                   const std::vector<float>& input) {
    ReverbEngine engine;
    engine.SetAllParams(params);
    std::vector<float> rendered;
    if (engine.PrepareStreaming(&in, &out) < 0) return rendered;
    uint32_t frames = static_cast<uint32_t>(input.size() / in.channels);
    uint32_t written = frames;
    rendered.resize(size_t(frames) * out.channels);
    engine.ProcessBlock(ReverbEngine::kModeFirst, input.data(), &frames, rendered.data(), &written);
    std::vector<float> block(4096 * 2);
    for (;;) {
        uint32_t capacity = 4096;
        int result = engine.ProcessBlock(ReverbEngine::kModeTail, nullptr, nullptr, block.data(), &capacity);
        rendered.insert(rendered.end(), block.begin(), block.begin() + capacity * out.channels);
        if (result != 0) return rendered;
    }
}

WaveFormat EngineFormat(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormat format = {};
    ReadWaveFormat(WaveType(tag, channels, rate, bits).Get(), &format);
    return format;
}

void ExpectSameSamples(const std::vector<float>& expected, const std::vector<float>& actual, float tolerance) {
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_NEAR(expected[i], actual[i], tolerance) << "sample " << i;
}
