#include "FilterHarness.h"

#include "TransformInputPin.h"
#include "TransformOutputPin.h"

FilterHarness::FilterHarness() {
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

HRESULT FilterHarness::ConnectAndPause(const AM_MEDIA_TYPE& input, long notifiedBytes, long pushBytes) {
    HRESULT hr = source.ConnectTo(filter->InputPin(), input, notifiedBytes, pushBytes);
    if (FAILED(hr)) return hr;
    hr = filter->OutputPin()->Connect(&sink, nullptr);
    if (FAILED(hr)) return hr;
    return base->Pause();
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
        if (result != 0) break;
    }
    return rendered;
}

WaveFormat MakeWaveFormat(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
    WaveFormat f = {};
    f.formatTag = tag;
    f.channels = channels;
    f.sampleRate = rate;
    f.bitsPerSample = bits;
    f.blockAlign = static_cast<uint16_t>(bits / 8 * channels);
    f.avgBytesPerSec = f.blockAlign * rate;
    return f;
}

std::vector<float> TestSignal(size_t count, unsigned seed) {
    std::vector<float> signal(count);
    uint32_t state = seed * 2654435761u + 1;
    for (float& s : signal) {
        state = state * 1664525u + 1013904223u;
        s = (static_cast<float>(state >> 8) / 16777216.0f - 0.5f) * 1.8f;
    }
    return signal;
}
