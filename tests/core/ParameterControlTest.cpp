#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "ParameterControl.h"

namespace {

// Stands in for the filter's window plumbing: windows are numbers, posts are recorded.
class RecordingControl : public ParameterControl {
public:
    std::vector<uintptr_t> alive;
    std::vector<std::pair<uintptr_t, uint32_t>> posts;

protected:
    bool IsWindowAlive(uintptr_t w) override { return std::find(alive.begin(), alive.end(), w) != alive.end(); }
    void PostCommand(uintptr_t w, uint32_t wParam) override { posts.emplace_back(w, wParam); }
};

}  // namespace

TEST(ParameterControl, PutsClampAndFlagOnlyRealChanges) {
    ParameterControl c;
    ReverbParams snap, p = DefaultParams();
    EXPECT_TRUE(c.IsDirty()) << "a new control starts dirty and changed";
    EXPECT_TRUE(c.TakeSnapshot(snap));
    EXPECT_FALSE(c.TakeSnapshot(snap));
    EXPECT_EQ(snap, p);
    p.EarlyLevel = 999;
    p.RoomSize = 0;
    c.SetAllParams(p);
    EXPECT_EQ(c.GetField(kEarlyLevel), 60);
    EXPECT_EQ(c.GetField(kRoomSize), 1);
    c.TakeSnapshot(snap);
    c.SetDirty(false);
    c.PutField(kRoomSize, 1);
    EXPECT_FALSE(c.IsDirty());
    EXPECT_FALSE(c.TakeSnapshot(snap));
    c.PutField(kPreDelay, 300);
    EXPECT_TRUE(c.IsDirty());
    EXPECT_TRUE(c.TakeSnapshot(snap));
    EXPECT_EQ(snap.PreDelay, 250);
    c.SetDirty(false);
    c.PutStereoOutput(5);
    EXPECT_EQ(c.GetStereoOutput(), 1);
    EXPECT_TRUE(c.IsDirty());
}

TEST(ParameterControl, SetupsSwapOnSelectionAndCopyBothWays) {
    ParameterControl c;
    c.PutField(kDecayTime, 40);
    c.SelectSetup(1);
    EXPECT_EQ(c.GetField(kDecayTime), 15);
    c.PutField(kDecayTime, 77);
    c.SelectSetup(1);  // no change of selection: nothing swaps
    EXPECT_EQ(c.GetField(kDecayTime), 77);
    c.SelectSetup(0);
    EXPECT_EQ(c.GetField(kDecayTime), 40);
    c.CopySetup(0, 1);  // live -> other
    c.PutField(kDecayTime, 20);
    ReverbParams snap;
    c.TakeSnapshot(snap);
    c.SetDirty(false);
    c.CopySetup(1, 0);  // other -> live, flags set
    EXPECT_EQ(c.GetField(kDecayTime), 40);
    EXPECT_TRUE(c.IsDirty());
    EXPECT_TRUE(c.TakeSnapshot(snap));
    c.CopySetup(1, 1);  // ignored
    c.CopySetup(0, 7);
    EXPECT_EQ(c.GetField(kDecayTime), 40);
}

TEST(ParameterControl, UndoGroupsEditsOfOneControl) {
    ParameterControl c;
    // Each step: the undo key, then the value put; the value one undo returns to.
    const struct {
        std::vector<std::pair<int, int32_t>> steps;
        int32_t undone;
    } cases[] = {
        {{{5, 20}, {5, 30}}, 15},            // one control's edits form one step
        {{{5, 30}, {-2, 31}}, 30},           // forced snapshot even with a repeated key
        {{{6, 50}, {-1, 60}, {6, 70}}, 60},  // -1 only resets the key
    };
    for (const auto& row : cases) {
        for (auto [key, value] : row.steps) {
            c.MarkUndo(key);
            c.PutField(kDecayTime, value);
        }
        const int32_t last = c.GetField(kDecayTime);
        c.SwapUndo();
        EXPECT_EQ(c.GetField(kDecayTime), row.undone) << row.steps.size();
        c.SwapUndo();  // redo
        EXPECT_EQ(c.GetField(kDecayTime), last);
    }
}

TEST(ParameterControl, NotificationsGoToTwoLiveSlots) {
    RecordingControl c;
    c.alive = {11, 22, 33};
    EXPECT_EQ(c.SetNotifyWindow(11, 32700), 0);
    EXPECT_EQ(c.SetNotifyWindow(22, 5), 0);
    EXPECT_EQ(c.SetNotifyWindow(33, 9), -1);  // both slots taken
    EXPECT_EQ(c.SetNotifyWindow(33, 0), 0);   // removing an unknown window is harmless
    EXPECT_EQ(c.SetNotifyWindow(22, 6), 0);   // same window: new identifier only
    c.Notify(kNotifyCodeLoaded);
    // A new window takes the last free slot, so 11 sits in the second slot and 22 in the first.
    EXPECT_EQ(c.posts, (std::vector<std::pair<uintptr_t, uint32_t>>{{22, 100 * 65536 + 6}, {11, 100 * 65536 + 32700}}));
    c.alive = {22};  // window 11 was destroyed: dropped at the next notification
    c.posts.clear();
    c.Notify(kNotifyCodeOutputFormat);
    EXPECT_EQ(c.posts, (std::vector<std::pair<uintptr_t, uint32_t>>{{22, 65536 + 6}}));
    EXPECT_EQ(c.SetNotifyWindow(33, 9), 0);  // the freed slot is available again
    EXPECT_EQ(c.SetNotifyWindow(22, 0), 0);  // unregister
    c.posts.clear();
    c.alive = {22, 33};
    c.Notify(kNotifyCodeInputFormat);
    EXPECT_EQ(c.posts, (std::vector<std::pair<uintptr_t, uint32_t>>{{33, 9}}));
}
