// filter_bench.exe: what the filter costs over the bare engine it holds. For each format,
// one 4096-frame media sample handed to the filter's input pin (Receive: the sample
// handling, the conversion to and from floats, the output sample and its delivery) beside
// the same frames through a ReverbEngine's ProcessBlock, and beside the stand-in sink's
// record of one output sample, which is not the filter's work. The input sample is held
// across repetitions, so no upstream allocator is timed. Also timed alone: an output buffer
// taken from the filter's output pin and given back (the allocator the pin negotiated), and
// for integer formats the conversions. Prints one Markdown table of the timings and one line
// per format: the filter's own cost, Receive less engine and sink timed back to back in each
// repetition, against the engine's time in the same repetitions.
//   filter_bench [--repetitions N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "BenchCase.h"
#include "FilterHarness.h"
#include "SampleConversion.h"
#include "Signals.h"
#include "TimingTable.h"

namespace {

constexpr uint32_t kRate = 44100;
constexpr uint32_t kFrames = 4096;

struct Format {
    const char* name;
    uint16_t tag, channels, bits;
};

// Noise in -0.5 .. 0.5, in the sample format of `f`.
std::vector<uint8_t> NoiseBytes(const Format& f) {
    const std::vector<float> noise = Noise(kFrames * f.channels, 3);
    std::vector<uint8_t> bytes(noise.size() * (f.bits / 8));
    for (size_t i = 0; i < noise.size(); ++i) {
        if (f.bits == 16) {
            const int16_t v = int16_t(noise[i] * 16384.0f);
            std::memcpy(&bytes[i * 2], &v, 2);
        } else {
            const float v = noise[i] * 0.5f;
            std::memcpy(&bytes[i * 4], &v, 4);
        }
    }
    return bytes;
}

WaveFormat Float(uint16_t channels) { return EngineFormat(3, channels, kRate, 32); }

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return double(ticks) * 1000.0 / double(frequency.QuadPart);
}

// The filter's own time for one sample, Receive less the engine and the sink, with the three
// timed back to back in every repetition: a difference of medians taken a second apart moves
// with the machine's load by more than the filter costs. Whichever of Receive and engine
// runs first in a repetition pays about a microsecond more, so they take turns, and the
// filter's own cost is the mean of the two orders' medians. Adds a row of the differences
// for each order and one of the engine's times measured with them.
void RunPaired(const std::string& name, int repetitions, const std::function<void()>& clear,
               const std::function<void()>& receive, const std::function<void()>& engine,
               const std::function<void()>& sink, std::vector<TimingRow>& rows) {
    std::vector<double> own[2], bare;
    for (int i = -(repetitions / 10 + 1); i < repetitions; ++i) {
        clear();
        const bool receiveFirst = i % 2 == 0;
        LARGE_INTEGER t0, t1, t2, t3;
        QueryPerformanceCounter(&t0);
        (receiveFirst ? receive : engine)();
        QueryPerformanceCounter(&t1);
        (receiveFirst ? engine : receive)();
        QueryPerformanceCounter(&t2);
        sink();
        QueryPerformanceCounter(&t3);
        if (i < 0) continue;
        const LONGLONG first = t1.QuadPart - t0.QuadPart, second = t2.QuadPart - t1.QuadPart;
        const LONGLONG receiveTicks = receiveFirst ? first : second, engineTicks = receiveFirst ? second : first;
        bare.push_back(Milliseconds(engineTicks));
        own[receiveFirst].push_back(Milliseconds(receiveTicks - engineTicks - (t3.QuadPart - t2.QuadPart)));
    }
    rows.push_back({"filter's own, Receive first, " + name, Summarize(own[1]), 0});
    rows.push_back({"filter's own, engine first, " + name, Summarize(own[0]), 0});
    rows.push_back({"engine (paired), " + name, Summarize(bare), 0});
}

}  // namespace

int main(int argc, char** argv) {
    int repetitions = 3000;
    if (argc == 3 && std::strcmp(argv[1], "--repetitions") == 0) repetitions = std::atoi(argv[2]);
    const Format formats[] = {
        {"float stereo", 3, 2, 32},
        {"16-bit stereo", 1, 2, 16},
        {"float mono to stereo", 3, 1, 32},
    };
    std::vector<TimingRow> rows;
    std::string shares;
    for (const Format& f : formats) {
        const std::vector<uint8_t> input = NoiseBytes(f);
        const long inBytes = long(input.size());
        const long outBytes = long(kFrames) * 2 * (f.bits / 8);

        FilterHarness harness;
        const MediaType type = WaveType(f.tag, f.channels, kRate, f.bits);
        if (harness.filter == nullptr || FAILED(harness.ConnectAndPause(type, inBytes, inBytes))) {
            std::fprintf(stderr, "filter_bench: the filter did not start streaming (%s)\n", f.name);
            return 1;
        }
        std::vector<float> floats = Noise(kFrames * f.channels, 3);
        for (float& v : floats) v *= 0.5f;
        std::vector<float> rendered(size_t(kFrames) * 2);
        ReverbEngine engine;
        const WaveFormat in = Float(f.channels), out = Float(2);
        if (engine.PrepareStreaming(&in, &out) != 0) {
            std::fprintf(stderr, "filter_bench: the engine did not prepare\n");
            return 1;
        }
        // One input sample and one output-sized sample, held for every repetition.
        IMemAllocator* platform = nullptr;
        ALLOCATOR_PROPERTIES want = {2, std::max(inBytes, outBytes), 1, 0}, got = {};
        IMediaSample *inSample = nullptr, *outSample = nullptr;
        BYTE* data = nullptr;
        if (FAILED(CoCreateInstance(CLSID_MemoryAllocator, nullptr, CLSCTX_INPROC_SERVER, IID_IMemAllocator,
                                    reinterpret_cast<void**>(&platform))) ||
            FAILED(platform->SetProperties(&want, &got)) || FAILED(platform->Commit()) ||
            FAILED(platform->GetBuffer(&inSample, nullptr, nullptr, 0)) ||
            FAILED(platform->GetBuffer(&outSample, nullptr, nullptr, 0))) {
            std::fprintf(stderr, "filter_bench: no memory allocator\n");
            return 1;
        }
        inSample->GetPointer(&data);
        std::memcpy(data, input.data(), input.size());
        inSample->SetActualDataLength(inBytes);
        outSample->SetActualDataLength(outBytes);
        IMemInputPin* filterInput = harness.filter->InputPin();
        TransformOutputPin* filterOutput = harness.filter->OutputPin();

        const std::string name = f.name;
        const size_t first = rows.size();
        const auto clearSink = [&](int) { harness.sink.samples.clear(); };
        const std::vector<BenchCase> cases = {
            {"Receive, " + name, repetitions, 0, clearSink, [&] { filterInput->Receive(inSample); }, false},
            {"engine, " + name, repetitions, 0, [](int) {},
             [&] {
                 uint32_t n = kFrames, capacity = kFrames;
                 engine.ProcessBlock(ReverbEngine::kModeContinue, floats.data(), &n, rendered.data(), &capacity);
             },
             false},
            {"stand-in sink, " + name, repetitions, 0, clearSink, [&] { harness.sink.Receive(outSample); }, false},
            {"output buffer, " + name, repetitions, 0, [](int) {},
             [&] {
                 IMediaSample* buffer = nullptr;
                 if (SUCCEEDED(filterOutput->GetDeliveryBuffer(&buffer, nullptr, nullptr, 0))) buffer->Release();
             },
             false},
        };
        for (const BenchCase& c : cases) RunCase(c, 0, rows);
        const size_t paired = rows.size();
        RunPaired(name, repetitions, [&] { clearSink(0); }, cases[0].work, cases[1].work, cases[2].work, rows);
        // Of the filter's own work, the conversions to and from integers.
        std::vector<uint8_t> converted(static_cast<size_t>(outBytes));
        if (f.tag == 1)
            RunCase({"conversions alone, " + name, repetitions, 0, [](int) {},
                     [&] {
                         const PcmLayout layout = {uint16_t(f.bits / 8), f.bits};
                         PcmToFloat(input.data(), layout, floats.data(), floats.size());
                         FloatToPcm(rendered.data(), layout, converted.data(), rendered.size());
                     },
                     false},
                    0, rows);
        if (harness.sink.samples.empty()) {
            std::fprintf(stderr, "filter_bench: no output came from the filter (%s)\n", f.name);
            return 1;
        }
        inSample->Release();
        outSample->Release();
        platform->Decommit();
        platform->Release();
        const double own = (rows[paired].summary.median + rows[paired + 1].summary.median) / 2;
        const double bare = rows[paired + 2].summary.median;
        char line[200];
        std::snprintf(line, sizeof line,
                      "- %s: the filter's own cost %.1f %% of the engine's (%.4f ms a sample; output buffer %.4f ms",
                      f.name, 100.0 * own / bare, own, rows[first + 3].summary.median);
        shares += line;
        if (f.tag == 1) {
            std::snprintf(line, sizeof line, ", conversions %.4f ms", rows[paired + 3].summary.median);
            shares += line;
        }
        shares += ")\n";
    }
    std::printf("%d-frame samples at %u Hz, stereo output; median of each case:\n\n", kFrames, kRate);
    std::fputs(FormatTimingTable(rows).c_str(), stdout);
    std::printf("\n%s", shares.c_str());
    return 0;
}
