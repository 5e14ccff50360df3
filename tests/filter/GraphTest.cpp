// The filter in a real graph: file source, WAVE parser, the registered filter, a sample
// grabber and a null renderer, run without a clock.
#include <gtest/gtest.h>

#include <dshow.h>
#include <qedit.h>

#include <cmath>
#include <cstring>
#include <mutex>
#include <vector>

#include "ByteVectors.h"
#include "FilterHarness.h"
#include "RegisteredServer.h"
#include "SampleConversion.h"
#include "WavFile.h"
#include "qvRuvodaR3.h"

namespace {

const CLSID kWaveParser = {0xd51bd5a1, 0x7548, 0x11cf, {0xa5, 0x20, 0x00, 0x80, 0xc7, 0x7e, 0xf5, 0x8a}};
const CLSID kSampleGrabber = {0xc1f400a0, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
const CLSID kNullRenderer = {0xc1f400a4, 0x3f08, 0x11d3, {0x9f, 0x0b, 0x00, 0x60, 0x08, 0x03, 0x9e, 0x37}};
const IID kISampleGrabber = {0x6b652fff, 0x11fe, 0x4fce, {0x92, 0xad, 0x02, 0x66, 0xb5, 0xd7, 0xc7, 0x8f}};
const IID kISampleGrabberCB = {0x0579154a, 0x2b53, 0x4994, {0xb0, 0xd0, 0xe7, 0x73, 0x14, 0x8e, 0xff, 0x85}};

// Collects the bytes of every sample that passes the grabber.
class Collector : public ISampleGrabberCB {
public:
    std::vector<uint8_t> bytes;
    // Per sample: its byte count and the channel count announced so far (0: none yet).
    std::vector<std::pair<long, int>> delivered;
    int current = 0;
    IReverbControl* monoAfterFirst = nullptr;  // switched to mono output after one sample
    std::mutex lock;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, kISampleGrabberCB)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE SampleCB(double, IMediaSample* sample) override {
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        std::lock_guard<std::mutex> guard(lock);
        bytes.insert(bytes.end(), data, data + sample->GetActualDataLength());
        AM_MEDIA_TYPE* type = nullptr;
        if (sample->GetMediaType(&type) == S_OK && type != nullptr) {
            current = reinterpret_cast<const WAVEFORMATEX*>(type->pbFormat)->nChannels;
            DeleteMediaType(type);
        }
        delivered.emplace_back(sample->GetActualDataLength(), current);
        if (monoAfterFirst != nullptr && delivered.size() == 1) monoAfterFirst->put_StereoOutput(0);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE BufferCB(double, BYTE*, LONG) override { return E_NOTIMPL; }
};

template <class Interface>
Interface* Create(const CLSID& clsid, const IID& iid) {
    Interface* object = nullptr;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(&object));
    return object;
}

IPin* FindPin(IBaseFilter* filter, PIN_DIRECTION wanted) {
    IEnumPins* pins = nullptr;
    if (FAILED(filter->EnumPins(&pins))) return nullptr;
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION dir;
        pin->QueryDirection(&dir);
        if (dir == wanted) break;
        pin->Release();
        pin = nullptr;
    }
    pins->Release();
    return pin;
}

HRESULT Link(IGraphBuilder* graph, IBaseFilter* from, IBaseFilter* to) {
    IPin* out = FindPin(from, PINDIR_OUTPUT);
    IPin* in = FindPin(to, PINDIR_INPUT);
    HRESULT hr = out && in ? graph->ConnectDirect(out, in, nullptr) : E_FAIL;
    if (out) out->Release();
    if (in) in->Release();
    return hr;
}

std::wstring TempWavPath(const wchar_t* name) {
    wchar_t dir[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

// Plays `file` through the graph; the processed bytes, and the filter's live parameters.
struct GraphRun {
    HRESULT result = E_FAIL;
    std::vector<uint8_t> output;
    std::vector<std::pair<long, int>> delivered;
    ReverbParams params = {};
};

GraphRun PlayThroughFilter(const std::wstring& file, bool monoAfterFirstSample = false) {
    GraphRun run;
    IGraphBuilder* graph = Create<IGraphBuilder>(CLSID_FilterGraph, IID_IGraphBuilder);
    IBaseFilter* source = Create<IBaseFilter>(CLSID_AsyncReader, IID_IBaseFilter);
    IBaseFilter* parser = Create<IBaseFilter>(kWaveParser, IID_IBaseFilter);
    IBaseFilter* reverb = Create<IBaseFilter>(CLSID_RuvodaR3, IID_IBaseFilter);
    IBaseFilter* grabber = Create<IBaseFilter>(kSampleGrabber, IID_IBaseFilter);
    IBaseFilter* renderer = Create<IBaseFilter>(kNullRenderer, IID_IBaseFilter);
    Collector collector;
    if (graph && source && parser && reverb && grabber && renderer) {
        IFileSourceFilter* fileSource = nullptr;
        source->QueryInterface(IID_IFileSourceFilter, reinterpret_cast<void**>(&fileSource));
        ISampleGrabber* grab = nullptr;
        grabber->QueryInterface(kISampleGrabber, reinterpret_cast<void**>(&grab));
        graph->AddFilter(source, L"source");
        graph->AddFilter(parser, L"parser");
        graph->AddFilter(reverb, L"reverb");
        graph->AddFilter(grabber, L"grabber");
        graph->AddFilter(renderer, L"renderer");
        run.result = fileSource->Load(file.c_str(), nullptr);
        IReverbControl* reverbControl = nullptr;
        reverb->QueryInterface(IID_IReverbControl, reinterpret_cast<void**>(&reverbControl));
        if (monoAfterFirstSample) collector.monoAfterFirst = reverbControl;
        grab->SetCallback(&collector, 0);
        for (auto [from, to] : {std::pair{source, parser}, {parser, reverb}, {reverb, grabber}, {grabber, renderer}}) {
            if (SUCCEEDED(run.result)) run.result = Link(graph, from, to);
        }
        IMediaFilter* clockless = nullptr;
        IMediaControl* control = nullptr;
        IMediaEvent* events = nullptr;
        graph->QueryInterface(IID_IMediaFilter, reinterpret_cast<void**>(&clockless));
        graph->QueryInterface(IID_IMediaControl, reinterpret_cast<void**>(&control));
        graph->QueryInterface(IID_IMediaEvent, reinterpret_cast<void**>(&events));
        if (SUCCEEDED(run.result)) run.result = clockless->SetSyncSource(nullptr);
        if (SUCCEEDED(run.result)) run.result = control->Run();
        long code = 0;
        if (SUCCEEDED(run.result)) run.result = events->WaitForCompletion(30000, &code);
        control->Stop();
        reverbControl->GetAllParams(&run.params);
        reverbControl->Release();
        events->Release();
        control->Release();
        clockless->Release();
        grab->SetCallback(nullptr, 0);
        grab->Release();
        fileSource->Release();
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{renderer, grabber, reverb, parser, source, graph})
        if (object) object->Release();
    std::lock_guard<std::mutex> guard(collector.lock);
    run.output = collector.bytes;
    run.delivered = collector.delivered;
    return run;
}

class Graph : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(0u, RunRegsvr32(false));
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    }
    void TearDown() override { CoUninitialize(); }
};

}  // namespace

TEST_F(Graph, FloatWavComesOutAsTheEngineRendersIt) {
    constexpr uint32_t kFrames = 20000;
    std::vector<float> input = TestSignal(kFrames * 2, 11);
    const std::wstring file = TempWavPath(L"ruvoda-float.wav");
    ASSERT_TRUE(WriteWavFile(file, WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32, AsBytes(input)));

    GraphRun run = PlayThroughFilter(file);
    ASSERT_EQ(S_OK, run.result);
    const WaveFormat format = MakeWaveFormat(3, 2, 44100, 32);
    std::vector<float> expected = ReferenceRender(run.params, format, format, input);
    ASSERT_EQ(expected.size() * sizeof(float), run.output.size());
    std::vector<float> output = FromBytes<float>(run.output);
    for (size_t i = 0; i < expected.size(); ++i) ASSERT_NEAR(expected[i], output[i], 1e-6f) << "sample " << i;
    DeleteFileW(file.c_str());
}

// Integer WAV files of every layout the filter takes: the graph's output equals the
// engine's own render of the same samples within one step of the format.
struct IntegerCase {
    uint16_t channels, bits, validBits;  // validBits 0: a plain format chunk
    uint32_t rate;
};

class IntegerGraph : public Graph, public ::testing::WithParamInterface<IntegerCase> {};

TEST_P(IntegerGraph, WavComesOutAsTheEngineRendersIt) {
    const IntegerCase c = GetParam();
    const PcmLayout layout = {uint16_t(c.bits / 8), c.validBits != 0 ? c.validBits : c.bits};
    constexpr uint32_t kFrames = 15000;
    // Loud enough that the output saturates somewhere.
    std::vector<float> signal = TestSignal(size_t(kFrames) * c.channels, 12);
    for (float& v : signal) v *= 1.1f;
    std::vector<uint8_t> input(signal.size() * layout.containerBytes);
    FloatToPcm(signal.data(), layout, input.data(), signal.size());
    const std::wstring file = TempWavPath(L"ruvoda-pcm.wav");
    ASSERT_TRUE(WriteWavFile(file, WAVE_FORMAT_PCM, c.channels, c.rate, c.bits, input, c.validBits));

    GraphRun run = PlayThroughFilter(file);
    DeleteFileW(file.c_str());
    ASSERT_EQ(S_OK, run.result);
    std::vector<float> asFloat(signal.size());
    PcmToFloat(input.data(), layout, asFloat.data(), asFloat.size());
    std::vector<float> reference = ReferenceRender(run.params, MakeWaveFormat(1, c.channels, c.rate, c.bits),
                                                   MakeWaveFormat(1, 2, c.rate, c.bits), asFloat);
    std::vector<uint8_t> expectedBytes(reference.size() * layout.containerBytes);
    FloatToPcm(reference.data(), layout, expectedBytes.data(), reference.size());
    ASSERT_EQ(expectedBytes.size(), run.output.size());
    // Compared as values of the valid bits, at the top of a 32-bit word.
    std::vector<float> expected(reference.size()), output(reference.size());
    PcmToFloat(expectedBytes.data(), layout, expected.data(), expected.size());
    PcmToFloat(run.output.data(), layout, output.data(), output.size());
    const float step = std::ldexp(1.0f, 1 - layout.validBits);
    size_t saturated = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        ASSERT_NEAR(expected[i], output[i], step) << "sample " << i;
        if (output[i] >= 1.0f - step || output[i] <= -1.0f) ++saturated;
    }
    EXPECT_GT(saturated, 0u);
    if (layout.validBits < 8 * layout.containerBytes) {
        for (size_t i = 0; i < run.output.size(); i += layout.containerBytes)
            ASSERT_EQ(0, run.output[i]) << "low byte of sample " << i / layout.containerBytes;
    }
}

INSTANTIATE_TEST_SUITE_P(Layouts, IntegerGraph,
                         ::testing::Values(IntegerCase{1, 16, 0, 32000}, IntegerCase{2, 24, 0, 44100},
                                           IntegerCase{1, 24, 24, 48000},
                                           IntegerCase{1, 32, 0, 22050}, IntegerCase{2, 32, 32, 48000}));

TEST_F(Graph, SwitchToMonoOutputWhilePlayingReachesTheRenderer) {
    constexpr uint32_t kFrames = 40000;
    std::vector<float> input = TestSignal(kFrames * 2, 13);
    const std::wstring file = TempWavPath(L"ruvoda-switch.wav");
    ASSERT_TRUE(WriteWavFile(file, WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32, AsBytes(input)));

    GraphRun run = PlayThroughFilter(file, true);
    ASSERT_EQ(S_OK, run.result);
    ASSERT_GE(run.delivered.size(), 2u);
    EXPECT_EQ(0, run.delivered.front().second);  // connected in stereo, nothing announced
    EXPECT_EQ(1, run.delivered.back().second);
    // Every input frame arrives once, in the layout current when it was rendered.
    size_t stereoFrames = 0, monoFrames = 0;
    for (const auto& [bytes, channels] : run.delivered) {
        if (channels == 1) monoFrames += bytes / 4;
        else stereoFrames += bytes / 8;
    }
    EXPECT_EQ(kFrames, stereoFrames + monoFrames);
    ASSERT_GT(monoFrames, 0u);

    // The mono part is the network restarted in mono at the switch.
    std::vector<float> rest(input.begin() + 2 * stereoFrames, input.end());
    std::vector<float> expected = ReferenceRender(run.params, MakeWaveFormat(3, 2, 44100, 32),
                                                  MakeWaveFormat(3, 1, 44100, 32), rest);
    expected.resize(monoFrames);
    const std::vector<float> output = FromBytes<float>(run.output);
    ASSERT_EQ(stereoFrames * 2 + monoFrames, output.size());
    for (size_t i = 0; i < monoFrames; ++i)
        ASSERT_NEAR(expected[i], output[stereoFrames * 2 + i], 1e-6f) << "mono sample " << i;
    DeleteFileW(file.c_str());
}
