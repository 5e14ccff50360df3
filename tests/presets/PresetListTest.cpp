#include <gtest/gtest.h>

#include "PresetList.h"

namespace {

TEST(PresetList, GrowsToExactlyOnePastTheIndexAndLeavesNewSlotsEmpty) {
    PresetList list;
    Preset a{}, b{}, c{};
    ASSERT_TRUE(list.Append(&a));
    EXPECT_EQ(list.Capacity(), 1);
    ASSERT_TRUE(list.Append(&b));
    EXPECT_EQ(list.Capacity(), 2);
    ASSERT_TRUE(list.Set(5, &c));
    EXPECT_EQ(list.Capacity(), 6);
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.At(0), &a);
    EXPECT_EQ(list.At(1), &b);
    for (int i = 2; i < 5; ++i) EXPECT_EQ(list.At(i), nullptr) << i;
    EXPECT_EQ(list.At(5), &c);

    // Setting inside the count replaces without growing.
    ASSERT_TRUE(list.Set(3, &a));
    EXPECT_EQ(list.Count(), 6);
    EXPECT_EQ(list.Capacity(), 6);
    EXPECT_EQ(list.At(3), &a);
}

TEST(PresetList, ReadsOutsideTheListAsNullAndRefusesNegativeIndices) {
    PresetList list;
    Preset a{};
    EXPECT_EQ(list.At(0), nullptr);
    EXPECT_FALSE(list.Set(-1, &a));
    EXPECT_EQ(list.Count(), 0);
    list.Append(&a);
    EXPECT_EQ(list.At(-1), nullptr);
    EXPECT_EQ(list.At(1), nullptr);
    EXPECT_EQ(list.RemoveAt(1), nullptr);
    EXPECT_EQ(list.RemoveAt(-1), nullptr);
    EXPECT_EQ(list.Count(), 1);
}

TEST(PresetList, RemovingShiftsLaterEntriesDownAndHandsThePresetBack) {
    PresetList list;
    Preset a{}, b{}, c{};
    a.id = 1;
    list.Append(&a);
    list.Append(&b);
    list.Append(&c);
    EXPECT_EQ(list.RemoveAt(0), &a);
    EXPECT_EQ(a.id, 1);  // untouched: the list does not own it
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(0), &b);
    EXPECT_EQ(list.At(1), &c);
    EXPECT_EQ(list.At(2), nullptr);

    // The freed tail slot reads empty when the list is later extended past it.
    ASSERT_TRUE(list.Set(3, &a));
    EXPECT_EQ(list.At(2), nullptr);
    EXPECT_EQ(list.Capacity(), 4);
}

}  // namespace
