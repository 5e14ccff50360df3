// Long run of the engine: generated 96 kHz stereo audio (noise, silence stretches,
// full-scale bursts, DC, injected NaN and infinity) with a random parameter put every
// block. Checks that every output sample is finite and bounded, that the time per frame
// stays flat from start to end and in the silent stretches (where denormals would show),
// and that resident memory stays flat. Prints a row per window; exits 1 on a failure.
// Usage: engine_soak [seconds of audio] [max slowdown] [seed]
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <random>
#include <vector>

#include "ReverbEngine.h"

namespace {

constexpr uint32_t kRate = 96000;
constexpr int kChannels = 2;
constexpr uint32_t kMaxBlock = 4096;
constexpr double kWindowSeconds = 300;  // one row of figures
constexpr float kOutputBound = 1000.0f;  // 60 dB over full scale: far beyond any setting

enum Kind { kNoise, kSilence, kBurst, kDc, kKindCount };
const char* const kKindNames[kKindCount] = {"noise", "silence", "burst", "dc"};

// Consecutive stretches of one kind, 0.5 to 8 s each.
class SignalSource {
public:
    explicit SignalSource(uint32_t seed) : random_(seed) { Next(); }

    Kind Current() const { return kind_; }
    uint32_t FramesLeft() const { return left_; }

    // Fills `frames` frames (no more than FramesLeft()); one block in 64 carries a NaN or
    // an infinity somewhere.
    void Fill(float* out, uint32_t frames) {
        std::uniform_real_distribution<float> noise(-0.5f, 0.5f);
        for (uint32_t i = 0; i < frames * kChannels; ++i) {
            switch (kind_) {
                case kNoise: out[i] = noise(random_); break;
                case kSilence: out[i] = 0.0f; break;
                case kBurst: out[i] = (random_() & 1) ? 1.0f : -1.0f; break;
                default: out[i] = dc_; break;
            }
        }
        if (kind_ != kSilence && random_() % 64 == 0) {
            const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                                 std::numeric_limits<float>::infinity(),
                                 -std::numeric_limits<float>::infinity()};
            out[random_() % (frames * kChannels)] = odd[random_() % 3];
            ++injected;
        }
        left_ -= frames;
        if (left_ == 0) Next();
    }

    uint64_t injected = 0;

private:
    void Next() {
        kind_ = Kind(random_() % kKindCount);
        left_ = kRate / 2 + random_() % (kRate * 15 / 2);
        dc_ = (random_() & 1) ? 1.0f : -0.5f;
    }

    std::mt19937 random_;
    Kind kind_ = kNoise;
    uint32_t left_ = 0;
    float dc_ = 0;
};

long ResidentKilobytes() {
    long pages = 0, resident = 0;
    FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) return -1;
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = -1;
    std::fclose(statm);
    return resident < 0 ? -1 : resident * (sysconf(_SC_PAGESIZE) / 1024);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// Nanoseconds per frame of each block, by the kind of input it carried.
struct WindowTimes {
    std::vector<double> perKind[kKindCount];
    void Clear() {
        for (auto& v : perKind) v.clear();
    }
    double All() const {
        std::vector<double> all;
        for (const auto& v : perKind) all.insert(all.end(), v.begin(), v.end());
        return Median(all);
    }
};

WaveFormat StereoFloat() {
    return WaveFormat{kWaveFormatIeeeFloat, kChannels, kRate, kRate * 4 * kChannels,
                      4 * kChannels, 32, 0};
}

}  // namespace

int main(int argc, char** argv) {
    const double seconds = argc > 1 ? std::atof(argv[1]) : 3600;
    const double maxSlowdown = argc > 2 ? std::atof(argv[2]) : 1.5;
    const uint32_t seed = argc > 3 ? uint32_t(std::strtoul(argv[3], nullptr, 10)) : 1;
    const uint64_t totalFrames = uint64_t(seconds * kRate);
    const uint64_t windowFrames = uint64_t(kWindowSeconds * kRate);

    const WaveFormat format = StereoFloat();
    ReverbEngine engine;
    if (engine.PrepareStreaming(&format, &format) != 0) {
        std::fprintf(stderr, "engine_soak: the engine could not be prepared\n");
        return 1;
    }
    const long rssStart = ResidentKilobytes();
    long rssWarm = -1;

    SignalSource source(seed);
    std::mt19937 random(seed + 1);
    std::vector<float> input(kMaxBlock * kChannels), output(kMaxBlock * kChannels);
    WindowTimes window;
    std::vector<double> windowMedians, silentMedians;
    float loudest = 0;
    uint64_t bad = 0, done = 0, blocks = 0, nextRow = windowFrames;
    bool first = true;

    std::printf("%8s %10s %12s %12s %12s %12s %9s\n", "minute", "blocks", "ns/frame", "noise",
                "silence", "burst+dc", "rss kB");
    while (done < totalFrames) {
        const uint32_t frames = std::min<uint64_t>(
            {1 + random() % kMaxBlock, source.FramesLeft(), totalFrames - done});
        const Kind kind = source.Current();
        source.Fill(input.data(), frames);
        const int field = int(random() % kParamCount);
        const ParamInfo& info = GetParamInfo(field);
        engine.PutField(field, info.minimum - 5 +
                                   int32_t(random() % uint32_t(info.maximum - info.minimum + 11)));

        uint32_t offered = frames, capacity = frames;
        const auto start = std::chrono::steady_clock::now();
        const int rc = engine.ProcessBlock(first ? ReverbEngine::kModeFirst
                                                 : ReverbEngine::kModeContinue,
                                           input.data(), &offered, output.data(), &capacity);
        const auto stop = std::chrono::steady_clock::now();
        first = false;
        if (rc != 0 || offered != frames || capacity != frames) {
            std::fprintf(stderr, "engine_soak: block %llu of %u frames: result %d, %u in, %u out\n",
                         (unsigned long long)blocks, frames, rc, offered, capacity);
            return 1;
        }
        for (uint32_t i = 0; i < frames * kChannels; ++i) {
            const float a = std::fabs(output[i]);
            if (!(a <= kOutputBound)) ++bad;  // also true for NaN
            else loudest = std::max(loudest, a);
        }
        window.perKind[kind].push_back(
            std::chrono::duration<double, std::nano>(stop - start).count() / frames);
        done += frames;
        ++blocks;

        if (done >= nextRow || done == totalFrames) {
            const double silentMedian = Median(window.perKind[kSilence]);
            std::vector<double> loud = window.perKind[kBurst];
            loud.insert(loud.end(), window.perKind[kDc].begin(), window.perKind[kDc].end());
            std::printf("%8.0f %10llu %12.1f %12.1f %12.1f %12.1f %9ld\n", done / double(kRate) / 60.0,
                        (unsigned long long)blocks, window.All(), Median(window.perKind[kNoise]),
                        silentMedian, Median(loud), ResidentKilobytes());
            std::fflush(stdout);
            windowMedians.push_back(window.All());
            if (!window.perKind[kSilence].empty()) silentMedians.push_back(silentMedian);
            if (rssWarm < 0) rssWarm = ResidentKilobytes();
            window.Clear();
            nextRow += windowFrames;
        }
    }
    const long rssEnd = ResidentKilobytes();

    int failures = 0;
    std::printf("\n%.0f s of audio at %u Hz in %llu blocks, %llu non-finite samples injected\n",
                seconds, kRate, (unsigned long long)blocks, (unsigned long long)source.injected);
    std::printf("loudest output sample %.3f; samples non-finite or above %.0f: %llu\n", loudest,
                kOutputBound, (unsigned long long)bad);
    if (bad != 0) ++failures;
    const double firstMedian = windowMedians.front(), lastMedian = windowMedians.back();
    const double slowest = *std::max_element(windowMedians.begin(), windowMedians.end());
    const double silentSlowest =
        silentMedians.empty() ? 0 : *std::max_element(silentMedians.begin(), silentMedians.end());
    std::printf("ns per frame (window medians): first %.1f, last %.1f, slowest %.1f, slowest "
                "silent stretch %.1f; allowed %.2f x the first\n",
                firstMedian, lastMedian, slowest, silentSlowest, maxSlowdown);
    if (slowest > maxSlowdown * firstMedian || silentSlowest > maxSlowdown * firstMedian) {
        std::printf("FAILED: the time per frame grew\n");
        ++failures;
    }
    std::printf("resident memory kB: start %ld, after the first window %ld, end %ld\n", rssStart,
                rssWarm, rssEnd);
    if (rssEnd > rssWarm + 1024) {
        std::printf("FAILED: resident memory grew by %ld kB\n", rssEnd - rssWarm);
        ++failures;
    }
    if (bad != 0) std::printf("FAILED: output out of bounds\n");
    std::printf("%s\n", failures == 0 ? "soak passed" : "soak FAILED");
    return failures == 0 ? 0 : 1;
}
