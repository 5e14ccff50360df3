#include <gtest/gtest.h>

#include <vector>

#include "ParameterControl.h"

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
