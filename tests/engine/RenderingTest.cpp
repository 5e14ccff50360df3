#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EngineHarness.h"

namespace {

// Runs mode-2 blocks of `block` frames until the engine reports the tail complete;
// returns the frames written, or -1 if it never completes.
int64_t PlayTail(ReverbEngine& e, uint32_t block) {
    std::vector<float> out(size_t(block) * 2);
    int64_t total = 0;
    for (int guard = 0; guard < 100000; ++guard) {
        uint32_t capacity = block;
        const int rc = e.ProcessBlock(ReverbEngine::kModeTail, nullptr, nullptr, out.data(), &capacity);
        total += capacity;
        if (rc == 1) return total;
        EXPECT_EQ(rc, 0);
        EXPECT_EQ(capacity, block);
    }
    return -1;
}

// Dry muted, so the output is the wet signal alone.
void WetOnly(EngineHarness& h, int32_t width) {
    h.Put(kDryMute, 1);
    h.Put(kWidth, width);
}

}  // namespace

TEST(EngineRendering, TailLastsTheLongerDecayTime) {
    const std::pair<int32_t, int64_t> cases[] = {{10, 66150}, {30, 198450}, {5, 66150}};
    for (auto [multiply, frames] : cases) {
        EngineHarness h(44100, 2, 2);
        h.Put(kTail, 1);
        h.Put(kDecayTime, 15);
        h.Put(kBassMultiply, multiply);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Impulse(1000, 2), 1000);
        EXPECT_EQ(PlayTail(h.engine, 4096), frames) << multiply;
        EXPECT_EQ(PlayTail(h.engine, 4096), 0) << "a finished tail stays finished";
    }
    // A stream that never starts with a discontinuity plays no tail; nor does Tail off.
    EngineHarness noStart(44100, 2, 2);
    noStart.Put(kTail, 1);
    ASSERT_EQ(noStart.Prepare(), 0);
    noStart.Render(Impulse(100, 2), 100, false);
    EXPECT_EQ(PlayTail(noStart.engine, 512), 0);
    EngineHarness off(44100, 2, 2);
    ASSERT_EQ(off.Prepare(), 0);
    off.Render(Impulse(100, 2), 100);
    EXPECT_EQ(PlayTail(off.engine, 512), 0);
}

TEST(EngineRendering, TailBlocksCarryTheReverberation) {
    EngineHarness h(44100, 1, 2);
    h.Put(kTail, 1);
    ASSERT_EQ(h.Prepare(), 0);
    h.Render(Impulse(100, 1), 100);
    std::vector<float> out(2 * 4096, -7.0f);
    uint32_t capacity = 4096;
    ASSERT_EQ(h.engine.ProcessBlock(ReverbEngine::kModeTail, nullptr, nullptr, out.data(), &capacity), 0);
    EXPECT_EQ(capacity, 4096u);
    EXPECT_GT(Energy(out), 1e-4);
    for (float x : out) ASSERT_LT(std::fabs(x), 1.0f);
}

TEST(EngineRendering, BypassPassesAudioThroughWithChannelMapping) {
    const std::vector<float> stereo = {0.25f, -0.5f, 1.5f, 0.5f, -1.0f, 0.0f};
    const std::vector<float> mono = {0.25f, -0.5f, 1.5f};
    struct Case {
        int in, out;
        std::vector<float> input, expected;
    };
    const Case cases[] = {
        {2, 2, stereo, stereo},
        {1, 1, mono, mono},
        {1, 2, mono, {0.25f, 0.25f, -0.5f, -0.5f, 1.5f, 1.5f}},
        {2, 1, stereo, {-0.125f, 1.0f, -0.5f}},
    };
    for (const Case& c : cases) {
        EngineHarness h(44100, c.in, c.out);
        ASSERT_EQ(h.Prepare(), 0);
        h.Render(Noise(2000u * c.in, 3), 500);  // meters and network hold something
        h.engine.SetBypass(1);
        EXPECT_EQ(h.Render(c.input, 64, false), c.expected) << c.in << " -> " << c.out;
        float levels[4];
        h.engine.GetPeakLevels(levels);
        for (float level : levels) EXPECT_EQ(level, 0.0f);
        std::vector<float> out(8, -1.0f);
        uint32_t capacity = 4;
        EXPECT_EQ(h.engine.ProcessBlock(ReverbEngine::kModeTail, nullptr, nullptr, out.data(), &capacity), 1);
        EXPECT_EQ(capacity, 0u);
    }
}

TEST(EngineRendering, BypassFreezesTheNetworkAndDefersParameterChanges) {
    EngineHarness h(44100, 2, 2);
    ASSERT_EQ(h.Prepare(), 0);
    h.Render(Noise(2 * 4000, 11), 1000);
    const EngineState& s = h.engine.State();
    const std::vector<float> frozen(s.lines[5].data, s.lines[5].data + s.lines[5].allocated);
    const float decay = s.coef.decayGain;
    h.engine.SetBypass(1);
    h.Put(kDecayTime, 150);
    h.Render(Noise(2 * 3000, 12), 1000, false);
    EXPECT_EQ(std::vector<float>(s.lines[5].data, s.lines[5].data + s.lines[5].allocated), frozen);
    EXPECT_EQ(s.coef.decayGain, decay);
    h.engine.SetBypass(0);
    h.Render(Noise(2 * 10, 13), 10, false);
    EXPECT_GT(s.coef.decayGain, decay) << "the change waited for the first processed block";
}

TEST(EngineRendering, WidthZeroIsMonoAndWidthHundredIsTheNetworkImage) {
    const std::vector<float> input = Noise(2 * 6000, 5);
    EngineHarness narrow(44100, 2, 2), natural(44100, 2, 2), wide(44100, 2, 2), mono(44100, 2, 1);
    WetOnly(narrow, 0);
    WetOnly(natural, 100);
    WetOnly(wide, 200);
    WetOnly(mono, 100);
    for (EngineHarness* h : {&narrow, &natural, &wide, &mono}) ASSERT_EQ(h->Prepare(), 0);
    const std::vector<float> n = narrow.Render(input, 512);
    const std::vector<float> a = natural.Render(input, 512);
    const std::vector<float> w = wide.Render(input, 512);
    const std::vector<float> m = mono.Render(input, 512);  // the left wet signal alone

    EXPECT_EQ(Channel(n, 2, 0), Channel(n, 2, 1));
    double sideEnergy = 0;
    for (size_t i = 0; i < m.size(); ++i) {
        const float left = a[2 * i], right = a[2 * i + 1];
        const float lw = m[i];
        const float rw = n[2 * i] - lw;  // width 0 carries lw + rw on both sides
        ASSERT_NEAR(left, 2.0f * lw, 1e-6f + 1e-5f * std::fabs(lw)) << i;
        ASSERT_NEAR(right, 2.0f * rw, 2e-6f + 1e-5f * std::fabs(rw)) << i;
        ASSERT_NEAR(w[2 * i] - w[2 * i + 1], 2.0f * (left - right), 4e-6f) << i;
        sideEnergy += double(left - right) * (left - right);
    }
    EXPECT_GT(sideEnergy, 1e-3) << "the network's own image is stereo";
}

TEST(EngineRendering, MonoOutputCarriesTheDryMidAndTheLeftWetSignal) {
    const std::vector<float> input = Noise(2 * 3000, 21);
    EngineHarness mono(44100, 2, 1), stereo(44100, 2, 2);
    stereo.Put(kDryMute, 1);
    for (EngineHarness* h : {&mono, &stereo}) ASSERT_EQ(h->Prepare(), 0);
    const std::vector<float> m = mono.Render(input, 700);
    const std::vector<float> s = stereo.Render(input, 700);
    for (size_t i = 0; i < m.size(); ++i) {
        const float mid = (input[2 * i] + input[2 * i + 1]) * 0.5f;
        ASSERT_NEAR(m[i], mid + 0.5f * s[2 * i], 1e-5f) << i;
    }
}

TEST(EngineRendering, EarlyReflectionsArriveAtTheirTapDelays) {
    EngineHarness h(44100, 1, 2);
    h.Put(kRoomSize, 100);
    h.Put(kDiffusion, 0);  // the diffusers become plain delays
    h.Put(kLowCut, 19);
    h.Put(kHighCut, 221);
    h.Put(kReverbMute, 1);
    h.Put(kDryMute, 1);
    h.Put(kEarlyLevel, 0);  // early gain 0.5
    ASSERT_EQ(h.Prepare(), 0);
    const std::vector<float> out = h.Render(Impulse(16000, 1), 4096);
    const std::vector<float> left = Channel(out, 2, 0), right = Channel(out, 2, 1);

    const size_t through = 313 + 235;  // the first two diffusers
    const EngineTaps& t = h.engine.State().taps;
    const int signLeft[7] = {1, 1, -1, 1, 1, 1, 1};
    const int signRight[8] = {1, -1, 1, 1, -1, 1, 1, -1};
    std::vector<float> expectLeft(left.size(), 0.0f), expectRight(right.size(), 0.0f);
    // Width 100 doubles each side's wet signal.
    for (int i = 0; i < 7; ++i) expectLeft[through + t.earlyDelayLeft[i]] = signLeft[i] * t.earlyGainLeft[i];
    for (int i = 0; i < 8; ++i) expectRight[through + t.earlyDelayRight[i]] = signRight[i] * t.earlyGainRight[i];
    EXPECT_FLOAT_EQ(expectLeft[through + 1653], 0.5f * 1255 / 1653);
    EXPECT_FLOAT_EQ(expectRight[through + 1255], 0.23f);
    for (size_t i = 0; i < left.size(); ++i) {
        ASSERT_NEAR(left[i], expectLeft[i], 1e-7f) << "left frame " << i;
        ASSERT_NEAR(right[i], expectRight[i], 1e-7f) << "right frame " << i;
    }
}

TEST(EngineRendering, MutedEarlyReflectionsAreExactlySilentButStillFed) {
    for (int viaLevel : {0, 1}) {
        EngineHarness h(44100, 1, 1);
        h.Put(viaLevel ? kEarlyLevel : kEarlyMute, viaLevel ? -361 : 1);
        h.Put(kReverbMute, 1);
        h.Put(kDryMute, 1);
        ASSERT_EQ(h.Prepare(), 0);
        const std::vector<float> out = h.Render(Noise(3000, 9), 1000);
        for (float x : out) ASSERT_EQ(x, 0.0f);
        const EarlyTapLine& early = h.engine.State().early;
        EXPECT_GT(Energy(std::vector<float>(early.data, early.data + early.size)), 0.1);
    }
}

TEST(EngineRendering, OutputDoesNotDependOnBlockSize) {
    for (int inChannels : {1, 2}) {
        const std::vector<float> input = Noise(uint32_t(inChannels) * 20000, 17);
        std::vector<float> reference;
        for (uint32_t block : {4096u, 1u, 7u, 333u}) {
            EngineHarness h(48000, inChannels, 2);
            h.Put(kPreDelay, 30);
            h.Put(kTail, 1);
            ASSERT_EQ(h.Prepare(), 0);
            const std::vector<float> out = h.Render(input, block);
            if (reference.empty())
                reference = out;
            else
                EXPECT_EQ(out, reference) << "blocks of " << block << ", " << inChannels << " in";
        }
        EXPECT_GT(Energy(reference), 1.0);
    }
}

TEST(EngineRendering, MetersHoldTheirMaximumUntilReadThenRestart) {
    EngineHarness h(44100, 2, 2);
    h.Put(kReverbMute, 1);
    h.Put(kEarlyMute, 1);
    ASSERT_EQ(h.Prepare(), 0);
    float levels[4], again[4];
    h.Render({0.5f, -0.25f, 0.1f, 0.1f}, 2);
    h.Render({0.2f, 0.2f}, 1, false);  // not read in between: the maximum holds
    h.engine.GetPeakLevels(levels);
    EXPECT_FLOAT_EQ(levels[0], 0.5f);
    EXPECT_FLOAT_EQ(levels[1], 0.25f);
    EXPECT_FLOAT_EQ(levels[2], 0.5f);
    EXPECT_FLOAT_EQ(levels[3], 0.25f);
    h.engine.GetPeakLevels(again);  // no block between: the same values
    EXPECT_EQ(std::vector<float>(levels, levels + 4), std::vector<float>(again, again + 4));
    h.Render({0.2f, -0.1f}, 1, false);  // read since: replaced, not maximised
    h.engine.GetPeakLevels(levels);
    EXPECT_FLOAT_EQ(levels[0], 0.2f);
    EXPECT_FLOAT_EQ(levels[1], 0.1f);
}

TEST(EngineRendering, ClipHoldMarksInputAndOutputOverloadsPerSide) {
    EngineHarness quiet(44100, 2, 2);
    quiet.Put(kDryMute, 1);
    quiet.Put(kReverbMute, 1);
    quiet.Put(kEarlyMute, 1);
    ASSERT_EQ(quiet.Prepare(), 0);
    quiet.Render({1.5f, 0.2f}, 1);
    EXPECT_EQ(quiet.engine.GetClipHold(ReverbEngine::kLeft, 0), 3);
    EXPECT_EQ(quiet.engine.GetClipHold(ReverbEngine::kRight, 0), 0);
    EXPECT_EQ(quiet.engine.GetClipHold(ReverbEngine::kLeft, 2), 0) << "the output did not overload";

    EngineHarness loud(44100, 2, 2);
    loud.Put(kDryLevel, 60);
    ASSERT_EQ(loud.Prepare(), 0);
    loud.Render({0.2f, -0.9f}, 1);
    EXPECT_EQ(loud.engine.GetClipHold(ReverbEngine::kLeft, 0), 0);
    EXPECT_EQ(loud.engine.GetClipHold(ReverbEngine::kRight, 0), 0);
    EXPECT_EQ(loud.engine.GetClipHold(ReverbEngine::kLeft, 2), 0);
    EXPECT_EQ(loud.engine.GetClipHold(ReverbEngine::kRight, 2), 3);

    EngineHarness mono(44100, 2, 1);
    mono.Put(kDryLevel, 60);
    ASSERT_EQ(mono.Prepare(), 0);
    mono.Render({0.9f, 0.9f}, 1);
    EXPECT_EQ(mono.engine.GetClipHold(ReverbEngine::kLeft, 2), 3);
    EXPECT_EQ(mono.engine.GetClipHold(ReverbEngine::kRight, 2), 3);
}
