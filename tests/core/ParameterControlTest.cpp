#include <gtest/gtest.h>

#include <vector>

#include "ParameterControl.h"

namespace {

// Stands in for the filter's window plumbing: windows are numbers, posts are recorded.
class RecordingControl : public ParameterControl {
public:
    std::vector<uintptr_t> alive;
    std::vector<std::pair<uintptr_t, uint32_t>> posts;

protected:
    bool IsWindowAlive(uintptr_t w) override {
        for (uintptr_t a : alive)
            if (a == w) return true;
        return false;
    }
    void PostCommand(uintptr_t w, uint32_t wParam) override { posts.emplace_back(w, wParam); }
};

}  // namespace

TEST(ParameterControl, StartsWithDefaultsDirtyAndChanged) {
    ParameterControl c;
    ReverbParams p;
    c.GetAllParams(p);
    EXPECT_EQ(p, DefaultParams());
    EXPECT_TRUE(c.IsDirty());
    EXPECT_TRUE(c.TakeSnapshot(p));
    EXPECT_FALSE(c.TakeSnapshot(p));
    EXPECT_EQ(c.GetStereoOutput(), -1);
    EXPECT_EQ(c.GetPresetIndex(), -1);
    EXPECT_EQ(c.GetBypass(), 0);
}

TEST(ParameterControl, SetAllParamsClampsAndPutsSetFlagsOnlyOnChange) {
    ParameterControl c;
    ReverbParams p = DefaultParams();
    p.EarlyLevel = 999;
    p.RoomSize = 0;
    c.SetAllParams(p);
    EXPECT_EQ(c.GetField(kEarlyLevel), 60);
    EXPECT_EQ(c.GetField(kRoomSize), 1);

    ReverbParams snap;
    c.TakeSnapshot(snap);
    c.SetDirty(false);
    c.PutField(kRoomSize, 1);
    EXPECT_FALSE(c.IsDirty());
    EXPECT_FALSE(c.TakeSnapshot(snap));
    c.PutField(kPreDelay, 300);
    EXPECT_EQ(c.GetField(kPreDelay), 250);
    EXPECT_TRUE(c.IsDirty());
    EXPECT_TRUE(c.TakeSnapshot(snap));
    EXPECT_EQ(snap.PreDelay, 250);
}

TEST(ParameterControl, StereoOutputPutClampsLikeAParameter) {
    ParameterControl c;
    c.SetDirty(false);
    c.PutStereoOutput(5);
    EXPECT_EQ(c.GetStereoOutput(), 1);
    EXPECT_TRUE(c.IsDirty());
    c.PutStereoOutput(-3);
    EXPECT_EQ(c.GetStereoOutput(), 0);
}

TEST(ParameterControl, SetupsSwapOnlyWhenTheSelectionChanges) {
    ParameterControl c;
    c.PutField(kDecayTime, 40);
    c.SelectSetup(1);
    EXPECT_EQ(c.GetCurrentSetup(), 1);
    EXPECT_EQ(c.GetField(kDecayTime), 15);
    c.PutField(kDecayTime, 77);
    c.SelectSetup(1);
    EXPECT_EQ(c.GetField(kDecayTime), 77);
    c.SelectSetup(0);
    EXPECT_EQ(c.GetField(kDecayTime), 40);
    c.SelectSetup(1);
    EXPECT_EQ(c.GetField(kDecayTime), 77);
}

TEST(ParameterControl, CopySetupDirections) {
    ParameterControl c;
    c.PutField(kWidth, 150);
    c.CopySetup(0, 1);      // live -> other
    c.PutField(kWidth, 20);
    ReverbParams snap;
    c.TakeSnapshot(snap);
    c.SetDirty(false);
    c.CopySetup(1, 0);      // other -> live, flags set
    EXPECT_EQ(c.GetField(kWidth), 150);
    EXPECT_TRUE(c.IsDirty());
    EXPECT_TRUE(c.TakeSnapshot(snap));
    c.CopySetup(1, 1);      // ignored
    c.CopySetup(0, 7);
    EXPECT_EQ(c.GetField(kWidth), 150);
}

TEST(ParameterControl, UndoGroupsEditsOfOneControl) {
    ParameterControl c;
    c.MarkUndo(5);
    c.PutField(kDecayTime, 20);
    c.MarkUndo(5);
    c.PutField(kDecayTime, 30);
    c.SwapUndo();
    EXPECT_EQ(c.GetField(kDecayTime), 15);
    c.SwapUndo();  // redo
    EXPECT_EQ(c.GetField(kDecayTime), 30);

    c.MarkUndo(-2);  // forced snapshot even with a repeated key
    c.PutField(kDecayTime, 31);
    c.SwapUndo();
    EXPECT_EQ(c.GetField(kDecayTime), 30);

    c.MarkUndo(6);
    c.PutField(kDecayTime, 50);
    c.MarkUndo(-1);  // only resets the key: no snapshot here
    c.PutField(kDecayTime, 60);
    c.MarkUndo(6);   // differs from the last key again: snapshots 60
    c.PutField(kDecayTime, 70);
    c.SwapUndo();
    EXPECT_EQ(c.GetField(kDecayTime), 60);
}

TEST(ParameterControl, NotificationSlots) {
    RecordingControl c;
    c.alive = {11, 22, 33};
    EXPECT_EQ(c.SetNotifyWindow(11, 32700), 0);
    EXPECT_EQ(c.SetNotifyWindow(22, 5), 0);
    EXPECT_EQ(c.SetNotifyWindow(33, 9), -1);   // both slots taken
    EXPECT_EQ(c.SetNotifyWindow(33, 0), 0);    // removing an unknown window is harmless
    EXPECT_EQ(c.SetNotifyWindow(22, 6), 0);    // same window: new identifier only

    c.Notify(kNotifyCodeLoaded);
    // A new window takes the last free slot, so 11 sits in the second slot and 22 in the first.
    ASSERT_EQ(c.posts.size(), 2u);
    EXPECT_EQ(c.posts[0], std::make_pair(uintptr_t(22), uint32_t(100 * 65536 + 6)));
    EXPECT_EQ(c.posts[1], std::make_pair(uintptr_t(11), uint32_t(100 * 65536 + 32700)));

    c.alive = {22};  // window 11 was destroyed: dropped at the next notification
    c.posts.clear();
    c.Notify(kNotifyCodeOutputFormat);
    ASSERT_EQ(c.posts.size(), 1u);
    EXPECT_EQ(c.posts[0].second, uint32_t(65536 + 6));
    EXPECT_EQ(c.SetNotifyWindow(33, 9), 0);     // the freed slot is available again

    EXPECT_EQ(c.SetNotifyWindow(22, 0), 0);     // unregister
    c.posts.clear();
    c.alive = {22, 33};
    c.Notify(kNotifyCodeInputFormat);
    ASSERT_EQ(c.posts.size(), 1u);
    EXPECT_EQ(c.posts[0], std::make_pair(uintptr_t(33), uint32_t(9)));
}

TEST(ParameterControl, ConnectionFormatsAndSharedValues) {
    ParameterControl c;
    WaveFormat f{};
    EXPECT_FALSE(c.GetConnectionFormat(0, f));
    WaveFormat in{3, 2, 48000, 384000, 8, 32, 0};
    c.SetConnectionFormat(0, &in);
    ASSERT_TRUE(c.GetConnectionFormat(0, f));
    EXPECT_EQ(f.sampleRate, 48000u);
    EXPECT_FALSE(c.GetConnectionFormat(1, f));
    EXPECT_FALSE(c.GetConnectionFormat(2, f));

    c.SetClipHold(ParameterControl::kRight, 2, 3);
    EXPECT_EQ(c.GetClipHold(ParameterControl::kRight, 2), 3);
    EXPECT_EQ(c.GetClipHold(ParameterControl::kLeft, 2), 0);
    EXPECT_EQ(c.GetClipHold(ParameterControl::kLeft, 9), 0);
    c.SetBypass(1);
    c.SetPresetIndex(4);
    EXPECT_EQ(c.GetBypass(), 1);
    EXPECT_EQ(c.GetPresetIndex(), 4);
}
