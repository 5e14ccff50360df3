// The engine streams on one thread while other threads use the control interface the way
// an editor, presets and a host do. Built with ThreadSanitizer: any data race fails the run;
// the checks below catch what a race would leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <functional>
#include <random>
#include <thread>
#include <vector>

#include "EngineHarness.h"

namespace {

constexpr uintptr_t kWindows[] = {0x100, 0x200, 0x300};
constexpr uint16_t kNotifyId = 32700;

// Windows are numbers that are always alive; posts are checked as they come, from any thread.
class NotifyingEngine : public ReverbEngine {
public:
    std::atomic<int> posts{0};
    std::atomic<int> badPosts{0};

protected:
    bool IsWindowAlive(uintptr_t) override { return true; }
    void PostCommand(uintptr_t window, uint32_t wParam) override {
        const bool known = std::find(std::begin(kWindows), std::end(kWindows), window) != std::end(kWindows);
        const uint32_t code = wParam >> 16;
        if (!known || (wParam & 0xFFFF) != kNotifyId || (code != kNotifyCodeLoaded && code != kNotifyCodeInputFormat))
            ++badPosts;
        ++posts;
    }
};

}  // namespace

TEST(ConcurrentControl, StreamingAlongsideEditorHostAndPresets) {
    auto owned = std::make_unique<NotifyingEngine>();
    NotifyingEngine& engine = *owned;
    EngineHarness h(44100, 2, 2, std::move(owned));
    ASSERT_EQ(h.Prepare({{kTail, 1}}), 0);

    std::atomic<bool> stop{false};
    std::atomic<int> rounds{0};
    std::atomic<int> outOfRange{0};
    // Each runs on a thread of its own, over and over until the stream ends.
    const std::function<void(std::mt19937&)> uses[] = {
        // Puts of every kind, and gets without the lock.
        [&](std::mt19937& r) {
            const int field = int(r() % kParamCount);
            engine.PutField(field, int32_t(r() % 4000) - 2000);
            const int32_t seen = engine.GetField(field);
            if (ClampParam(field, seen) != seen) ++outOfRange;
            if (r() % 16 == 0) engine.SetAllParams(DefaultParams());
            engine.PutStereoOutput(int32_t(r() % 2));
            engine.GetStereoOutput();
        },
        // Setups, undo and the dirty flag, as the editor's buttons use them.
        [&](std::mt19937& r) {
            engine.SelectSetup(int(r() % 2));
            engine.GetCurrentSetup();
            engine.CopySetup(int(r() % 2), int(r() % 2));
            engine.MarkUndo(int(r() % 5) - 2);
            if (r() % 4 == 0) engine.SwapUndo();
            engine.SetDirty(r() % 2 == 0);
            engine.IsDirty();
        },
        // Meters, clip slots, bypass, the preset index and the notification windows.
        [&](std::mt19937& r) {
            float levels[ParameterControl::kMeterCount];
            engine.GetPeakLevels(levels);
            const int side = int(r() % 2), slot = int(r() % ParameterControl::kClipSlots);
            if (engine.GetClipHold(side, slot) != 0) engine.SetClipHold(side, slot, 0);
            engine.SetBypass(r() % 8 == 0);
            engine.SetPresetIndex(int32_t(r() % 30));
            engine.GetPresetIndex();
            engine.SetNotifyWindow(kWindows[r() % 3], r() % 2 ? kNotifyId : 0);
            engine.Notify(kNotifyCodeLoaded);
        },
    };
    std::vector<std::thread> others;
    for (uint32_t i = 0; i < std::size(uses); ++i)
        others.emplace_back([&, i] {
            std::mt19937 random(i + 1);
            for (; !stop.load(); ++rounds) uses[i](random);
        });

    // The streaming thread: loud noise in 256-frame blocks, a discontinuity now and then.
    std::vector<float> loud = Noise(2 * 2048, 7);
    for (float& sample : loud) sample *= 4.0f;
    bool finite = true;
    for (int run = 0; run < 200; ++run) {
        for (float sample : h.Render(loud, 256, run % 10 == 0)) finite = finite && std::isfinite(sample);
        engine.Notify(kNotifyCodeInputFormat);
    }
    stop.store(true);
    for (std::thread& t : others) t.join();

    EXPECT_TRUE(finite);
    EXPECT_EQ(outOfRange.load(), 0);
    EXPECT_EQ(engine.badPosts.load(), 0);
    EXPECT_GT(engine.posts.load(), 0);
    EXPECT_GT(rounds.load(), 100);
}
