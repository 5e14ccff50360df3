// The run-wise rendering against the frame-by-frame reference: the same calls on both
// engines must give the same output bits, counts, results, meters and overload indicators.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "EngineHarness.h"
#include "ReferenceEngine.h"

namespace {

constexpr int kBypassField = -1;  // a change of Bypass rather than of a parameter

struct Change {
    uint32_t atFrame;  // applied before the first block that starts at or after this frame
    int field;
    int32_t value;
};

struct Case {
    const char* name;
    uint32_t rate;
    int inChannels, outChannels;
    std::vector<Change> changes;  // those at frame 0 are set before preparing
    uint32_t frames;
    bool tail;
};

// Noise with a few loud bursts, and non-finite samples in the first and last channel when
// asked.
std::vector<float> Signal(uint32_t frames, int channels, bool nonFinite) {
    std::vector<float> v = Noise(frames * channels, 7u + channels);
    for (uint32_t i = 0; i < v.size(); i += 997) v[i] *= 6.0f;
    if (nonFinite) {
        v[size_t(frames / 3) * channels] = std::numeric_limits<float>::quiet_NaN();
        v[size_t(frames / 2) * channels + channels - 1] = -std::numeric_limits<float>::infinity();
    }
    return v;
}

// One block on one engine (null input: a tail block) and what it leaves: the result, both
// counts, the output's bits, the meters and the clip holds.
std::vector<uint32_t> Block(EngineHarness& h, int mode, const float* input, uint32_t frames) {
    std::vector<float> out(size_t(frames) * h.out.channels + ParameterControl::kMeterCount, -3.0f);
    uint32_t taken = frames, written = frames;
    const int rc = h.engine.ProcessBlock(mode, input, input ? &taken : nullptr, out.data(), &written);
    h.engine.GetPeakLevels(&out[out.size() - ParameterControl::kMeterCount]);
    std::vector<uint32_t> words = {uint32_t(rc), taken, written};
    words.resize(3 + out.size());
    std::memcpy(&words[3], out.data(), out.size() * sizeof(float));
    for (int side = 0; side < 2; ++side)
        for (int slot = 0; slot < ParameterControl::kClipSlots; ++slot)
            words.push_back(uint32_t(h.engine.GetClipHold(side, slot)));
    return words;
}

// Both engines through the case in blocks that cycle through `blocks`, then through the tail
// if the case has one.
void RenderBoth(const Case& c, const std::vector<uint32_t>& blocks) {
    EngineHarness run(c.rate, c.inChannels, c.outChannels);
    EngineHarness reference(c.rate, c.inChannels, c.outChannels, std::make_unique<ReferenceEngine>());
    const auto apply = [&](const Change& change) {
        for (EngineHarness* h : {&run, &reference}) {
            if (change.field == kBypassField) h->engine.SetBypass(change.value);
            else h->Put(change.field, change.value);
        }
    };
    for (const Change& change : c.changes)
        if (change.atFrame == 0) apply(change);
    ASSERT_EQ(run.Prepare(), 0);
    ASSERT_EQ(reference.Prepare(), 0);
    const std::vector<float> input = Signal(c.frames, c.inChannels, c.rate % 48000 == 0);
    std::string sizes;
    for (uint32_t b : blocks) sizes += (sizes.empty() ? "" : "/") + std::to_string(b);
    size_t next = 0;
    for (uint32_t done = 0, turn = 0;; ++turn) {
        ASSERT_LT(turn, 1000000u) << c.name << ": the tail never completes";
        const bool streaming = done < c.frames;
        if (!streaming && !c.tail) return;
        for (; next < c.changes.size() && c.changes[next].atFrame <= done; ++next)
            if (done > 0) apply(c.changes[next]);
        const uint32_t n = std::min(blocks[turn % blocks.size()], streaming ? c.frames - done : UINT32_MAX);
        const int mode = done == 0 ? ReverbEngine::kModeFirst
                                   : streaming ? ReverbEngine::kModeContinue : ReverbEngine::kModeTail;
        const float* in = streaming ? input.data() + size_t(done) * c.inChannels : nullptr;
        const std::vector<uint32_t> a = Block(run, mode, in, n), b = Block(reference, mode, in, n);
        const size_t at = size_t(std::mismatch(a.begin(), a.end(), b.begin()).first - a.begin());
        const size_t samples = size_t(n) * c.outChannels;
        ASSERT_EQ(at, a.size()) << c.name << ", blocks of " << sizes << ", frame " << done << ": "
                                << (at < 3 ? "results or counts" : at < 3 + samples ? "sample " + std::to_string(at - 3)
                                                                                    : "meters or clip holds")
                                << " differ";
        if (a[0] != 0) return;  // the tail is complete
        done += n;
    }
}

}  // namespace

TEST(EngineRunWise, EqualsTheFrameByFrameNetworkBitForBit) {
    const Case cases[] = {
        {"factory, stereo", 44100, 2, 2, {}, 9000, false},
        {"factory, mono to stereo", 44100, 1, 2, {}, 9000, false},
        {"factory, stereo to mono, non-finite input", 96000, 2, 1, {}, 9000, false},
        {"factory, mono", 22050, 1, 1, {}, 9000, false},
        {"every send on, filters and a long pre-delay",
         44100, 2, 2,
         {{0, kLowCut, 120}, {0, kHighCut, 60}, {0, kDamping, 30}, {0, kBassMultiply, 25},
          {0, kDiffusion, 60}, {0, kPreDelay, 120}, {0, kEarlyLevel, 0}, {0, kReverbLevel, 0},
          {0, kWidth, 50}, {0, kInputGain, 60}},
         9000, false},
        {"slider drags, room and pre-delay changes, mutes", 44100, 2, 2,
         {{0, kEarlyLevel, -60}, {500, kDecayTime, 40}, {1000, kDecayTime, 80}, {1500, kPreDelay, 3},
          {2000, kRoomSize, 20}, {2500, kDiffusion, 0}, {3000, kRoomSize, 100}, {3500, kEarlyMute, 1},
          {4000, kWidth, 200}, {4500, kDryMute, 1}, {5000, kPreDelay, 250}, {5500, kBassMultiply, 2},
          {6000, kEarlyMute, 0}, {6500, kRoomSize, 1}, {7000, kLowCut, 19}, {7500, kHighCut, 221}},
         9000, false},
        {"bypass on and off, a change while bypassed", 44100, 1, 2,
         {{3000, kBypassField, 1}, {4000, kDecayTime, 60}, {6000, kBypassField, 0}}, 9000, false},
        {"tail play-out", 8000, 2, 2, {{0, kTail, 1}, {0, kDecayTime, 5}, {0, kRoomSize, 10}}, 3000, true},
        {"non-finite input, overload", 48000, 1, 1, {{0, kInputGain, 60}, {0, kDryLevel, 60}}, 9000, false},
        // Rates this low shrink lines below a run, tap offsets to 0 and early delays to 0.
        {"smallest room at 200 Hz", 200, 2, 2, {{0, kRoomSize, 1}, {0, kEarlyLevel, 0}}, 3000, false},
        {"one-slot tank line at 50 Hz", 50, 1, 2, {{0, kRoomSize, 1}, {0, kEarlyLevel, 0}}, 3000, false},
    };
    // 263 frames end in a run too short for sections, which steps frame by frame; the mixed
    // sizes hand the state between stepped blocks and blocks of runs.
    const std::vector<std::vector<uint32_t>> sizes = {{1}, {7}, {64}, {263}, {4096}, {5, 300, 15, 16, 1, 64}};
    for (const Case& c : cases)
        for (const std::vector<uint32_t>& blocks : sizes) RenderBoth(c, blocks);
}
