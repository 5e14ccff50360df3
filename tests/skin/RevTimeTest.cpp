// qv:RevTime driven through real windows and messages. With the defaults on the 154 x 90
// display the mouse sees the crossover at x 71, the damping at x 115 and both levels at y 45;
// the paint draws them at x 71, x 114 and y 45.
#include <gtest/gtest.h>

#include "RevTime.h"
#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kId = 10021;
constexpr int kWidth = 154;
constexpr int kHeight = 90;
constexpr COLORREF kHandleOutline = RGB(0x60, 0x60, 0x60);
constexpr COLORREF kActiveHandle = 0x80FFFF;
constexpr COLORREF kMidFill = 0xEAD6B2;
constexpr COLORREF kLowFill = 0xD6AB6A;
constexpr COLORREF kDisabledMidFill = 0xC0C0C0;
constexpr COLORREF kDisabledLowFill = 0x989898;

enum { kMultiplier = 0, kCrossover = 1, kReverbTime = 2, kDamping = 3 };
using Changes = std::vector<std::pair<int, int>>;

class RevTimeTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = parent.CreateControl(kRevTimeClassName, 0, 200, 20, kWidth, kHeight, kId);
        ASSERT_NE(display, nullptr);
    }

    // The QVRN_CHANGED notifications posted since the last call, as (index, value).
    Changes Taken() {
        Changes changes;
        for (const Notification& n : parent.Take()) {
            EXPECT_EQ(n.message, QVRN_CHANGED);
            EXPECT_EQ(LOWORD(n.wParam), kId);
            changes.emplace_back(HIWORD(n.wParam), static_cast<int>(n.lParam));
        }
        return changes;
    }

    // Points at (x, y), presses there, moves to (toX, toY) and releases; returns the changes.
    Changes Drag(int x, int y, int toX, int toY) {
        PointAt(display, x, y);
        Press(display, x, y);
        EXPECT_EQ(GetCapture(), display);
        MoveTo(display, toX, toY);
        Changes changes = Taken();
        Release(display, toX, toY);
        EXPECT_NE(GetCapture(), display);
        return changes;
    }

    int DoubleClickGroup(int x, int y) {
        PointAt(display, x, y);
        return DoubleClickReport(parent, display, QVRN_DBLCLK, x, y);
    }

    // The top row at which column x shows the handle outline, or -1.
    static int HandleTop(const Canvas& picture, int x) {
        for (int y = 0; y < kHeight; ++y)
            if (picture.At(x, y) == kHandleOutline) return y;
        return -1;
    }

    TestParent parent;
    HWND display = nullptr;
};

TEST_F(RevTimeTest, DefaultsDrawBothBandsAtOneHeightAndValuesMoveThem) {
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    // Low handle spans x 65..71, mid handle 108..114, both from row 45.
    EXPECT_EQ(HandleTop(picture, 65), 45);
    EXPECT_EQ(HandleTop(picture, 108), 45);
    EXPECT_EQ(picture.At(68, 48), RGB(255, 255, 255));
    EXPECT_EQ(picture.At(30, 60), kLowFill);
    EXPECT_EQ(picture.At(90, 60), kMidFill);
    EXPECT_EQ(picture.At(30, 30), TestParent::kBackground);

    SendMessageA(display, QVRM_SETVALUE, kMultiplier, 20);  // low band to 3000 ms
    PrintInto(display, picture);
    EXPECT_EQ(HandleTop(picture, 65), 36);
    EXPECT_EQ(HandleTop(picture, 108), 45);

    SendMessageA(display, QVRM_SETVALUE, kReverbTime, 1000);  // low 2000 ms, mid 1000 ms
    PrintInto(display, picture);
    EXPECT_EQ(HandleTop(picture, 65), 41);
    EXPECT_EQ(HandleTop(picture, 108), 50);

    SendMessageA(display, QVRM_SETVALUE, 7, 100000);  // no such index: nothing changes
    PrintInto(display, picture);
    EXPECT_EQ(HandleTop(picture, 65), 41);
    EXPECT_EQ(HandleTop(picture, 108), 50);
}

TEST_F(RevTimeTest, DisabledBandsUseTheGreyFills) {
    EnableWindow(display, FALSE);
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    EXPECT_EQ(picture.At(30, 60), kDisabledLowFill);
    EXPECT_EQ(picture.At(90, 60), kDisabledMidFill);
}

TEST_F(RevTimeTest, PointerShapeFollowsTheLinesAndEdges) {
    const HCURSOR upDown = ExpectedCursor(258, IDC_SIZENS);
    const HCURSOR leftRight = ExpectedCursor(257, IDC_SIZEWE);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    EXPECT_EQ(PointAt(display, 30, 43), upDown);  // low level line
    EXPECT_EQ(PointAt(display, 63, 47), upDown);
    EXPECT_EQ(PointAt(display, 64, 45), arrow);  // the low handle starts here
    EXPECT_EQ(PointAt(display, 30, 48), arrow);
    EXPECT_EQ(PointAt(display, 90, 45), upDown);     // mid level line
    EXPECT_EQ(PointAt(display, 71, 53), leftRight);  // crossover edge, below its handle
    EXPECT_EQ(PointAt(display, 73, 80), leftRight);
    EXPECT_EQ(PointAt(display, 71, 52), arrow);
    EXPECT_EQ(PointAt(display, 117, 60), leftRight);  // damping edge
    EXPECT_EQ(PointAt(display, 140, 10), arrow);
}

TEST_F(RevTimeTest, EdgeDragsMoveOnlyTheirFrequency) {
    EXPECT_EQ(Drag(71, 70, 81, 20), (Changes{{kCrossover, 782}}));
    EXPECT_EQ(Drag(115, 70, 125, 20), (Changes{{kDamping, 6202}}));
}

TEST_F(RevTimeTest, LowLevelDragSetsTheMultiplierInTenthsAndClamps) {
    EXPECT_EQ(Drag(30, 45, 90, 61), (Changes{{kMultiplier, 3}}));  // 462 ms
    PointAt(display, 30, 61);                                      // the line is now at y 61
    Press(display, 30, 61);
    MoveTo(display, 30, 80);  // 109 ms: below 2
    MoveTo(display, 30, 30);  // 4815 ms: above 30
    EXPECT_EQ(Taken(), (Changes{{kMultiplier, 2}, {kMultiplier, 30}}));
    Release(display, 30, 30);
}

TEST_F(RevTimeTest, HandleDragMovesBothValuesOfItsGroup) {
    PointAt(display, 68, 48);
    Press(display, 68, 48);  // 3 right of and 3 below the corner
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    EXPECT_EQ(picture.At(68, 48), kActiveHandle);
    MoveTo(display, 78, 38);
    EXPECT_EQ(Taken(), (Changes{{kCrossover, 782}, {kMultiplier, 21}}));
    Release(display, 78, 38);
    PrintInto(display, picture);
    EXPECT_NE(picture.At(68, 48), kActiveHandle);
}

TEST_F(RevTimeTest, MidLevelDragCarriesTheLowBandAlong) {
    EXPECT_EQ(Drag(90, 45, 90, 35), (Changes{{kReverbTime, 3299}}));
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    EXPECT_EQ(HandleTop(picture, 108), 35);
    EXPECT_EQ(HandleTop(picture, 65), 35);  // the multiplier stays 1.0
}

TEST_F(RevTimeTest, MidHandleWinsAndDoubleClicksReportTheGroup) {
    EXPECT_EQ(DoubleClickGroup(68, 48), 0);
    EXPECT_EQ(DoubleClickGroup(71, 70), 0);  // crossover edge
    EXPECT_EQ(DoubleClickGroup(112, 48), 1);
    EXPECT_EQ(DoubleClickGroup(90, 45), 1);  // mid level line
    EXPECT_EQ(DoubleClickGroup(140, 10), -1);
    MoveTo(display, 20, 20);
    EXPECT_TRUE(Taken().empty());
    // Crossover over the damping: both handles cover the same pixels and the mid group wins.
    SendMessageA(display, QVRM_SETVALUE, kCrossover, 4000);
    EXPECT_EQ(DoubleClickGroup(112, 48), 1);
}

}  // namespace
