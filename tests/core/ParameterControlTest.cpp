#include <gtest/gtest.h>

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
