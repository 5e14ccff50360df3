// The run-wise rendering against the frame-by-frame reference: the same calls on both
// engines must give the same output bits, counts, results, meters and overload indicators.
#include <gtest/gtest.h>

#include <cmath>
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

// Noise with a few loud bursts, and non-finite samples when asked.
std::vector<float> Signal(uint32_t frames, int channels, bool nonFinite) {
    std::vector<float> v = Noise(frames * channels, 7u + channels);
    for (uint32_t i = 0; i < v.size(); i += 997) v[i] *= 6.0f;
    if (nonFinite) {
        v[size_t(frames / 3) * channels] = std::numeric_limits<float>::quiet_NaN();
        v[size_t(frames / 2) * channels] = std::numeric_limits<float>::infinity();
    }
    return v;
}

// Calls a block on both engines and reports the first difference.
class Twin {
public:
    explicit Twin(const Case& c)
        : run_(c.rate, c.inChannels, c.outChannels),
          reference_(c.rate, c.inChannels, c.outChannels, std::make_unique<ReferenceEngine>()) {}

    void Apply(const Change& change) {
        for (EngineHarness* h : {&run_, &reference_}) {
            if (change.field == kBypassField) h->engine.SetBypass(change.value);
            else h->Put(change.field, change.value);
        }
    }

    void Prepare() {
        ASSERT_EQ(run_.Prepare(), 0);
        ASSERT_EQ(reference_.Prepare(), 0);
    }

    // One block of `frames` frames from `input` (null: a tail block); false once the tail is
    // complete or after a difference.
    bool Block(int mode, const float* input, uint32_t frames, const std::string& where) {
        std::vector<float> outRun(size_t(frames) * run_.out.channels, -3.0f);
        std::vector<float> outRef(outRun);
        uint32_t inRun = frames, inRef = frames, capRun = frames, capRef = frames;
        const int rcRun = run_.engine.ProcessBlock(mode, input, input ? &inRun : nullptr, outRun.data(), &capRun);
        const int rcRef = reference_.engine.ProcessBlock(mode, input, input ? &inRef : nullptr, outRef.data(), &capRef);
        std::string differences;
        if (rcRun != rcRef || inRun != inRef || capRun != capRef) differences += " results or counts;";
        for (size_t i = 0; i < outRun.size() && differences.empty(); ++i)
            if (std::memcmp(&outRun[i], &outRef[i], sizeof(float)) != 0)
                differences += " sample " + std::to_string(i) + " is " + std::to_string(outRun[i]) +
                               ", the reference " + std::to_string(outRef[i]) + ";";
        float levelsRun[ParameterControl::kMeterCount], levelsRef[ParameterControl::kMeterCount];
        run_.engine.GetPeakLevels(levelsRun);
        reference_.engine.GetPeakLevels(levelsRef);
        if (std::memcmp(levelsRun, levelsRef, sizeof levelsRun) != 0) differences += " meters;";
        for (int side = 0; side < 2; ++side)
            for (int slot = 0; slot < ParameterControl::kClipSlots; ++slot)
                if (run_.engine.GetClipHold(side, slot) != reference_.engine.GetClipHold(side, slot))
                    differences += " clip hold " + std::to_string(side) + "/" + std::to_string(slot) + ";";
        if (!differences.empty()) ADD_FAILURE() << where << ":" << differences;
        return rcRun == 0 && differences.empty();
    }

private:
    EngineHarness run_;
    EngineHarness reference_;
};

// Blocks cycle through `blocks`.
void RenderBoth(const Case& c, const std::vector<uint32_t>& blocks) {
    Twin twin(c);
    for (const Change& change : c.changes)
        if (change.atFrame == 0) twin.Apply(change);
    twin.Prepare();
    const std::vector<float> input = Signal(c.frames, c.inChannels, c.rate == 48000);
    size_t next = 0, turn = 0;
    std::string sizes;
    for (uint32_t b : blocks) sizes += (sizes.empty() ? "" : "/") + std::to_string(b);
    for (uint32_t done = 0; done < c.frames; ++turn) {
        const uint32_t block = blocks[turn % blocks.size()];
        for (; next < c.changes.size() && c.changes[next].atFrame <= done; ++next)
            if (done > 0) twin.Apply(c.changes[next]);
        const uint32_t n = std::min(block, c.frames - done);
        const std::string where = std::string(c.name) + ", blocks of " + sizes +
                                  ", frame " + std::to_string(done);
        if (!twin.Block(done == 0 ? ReverbEngine::kModeFirst : ReverbEngine::kModeContinue,
                        input.data() + size_t(done) * c.inChannels, n, where))
            return;
        done += n;
    }
    for (int guard = 0; c.tail && guard < 1000000; ++guard)
        if (!twin.Block(ReverbEngine::kModeTail, nullptr, blocks[guard % blocks.size()],
                        std::string(c.name) + ", tail block " + std::to_string(guard)))
            return;
}

}  // namespace

TEST(EngineRunWise, EqualsTheFrameByFrameNetworkBitForBit) {
    const Case cases[] = {
        {"factory, stereo", 44100, 2, 2, {}, 9000, false},
        {"factory, mono to stereo", 44100, 1, 2, {}, 9000, false},
        {"factory, stereo to mono", 96000, 2, 1, {}, 9000, false},
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
