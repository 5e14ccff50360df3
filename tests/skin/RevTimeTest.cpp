// qv:RevTime driven through real windows and messages. With the defaults on the 154 x 90
// display the mouse sees the crossover at x 71, the damping at x 115 and both levels at y 45;
// the paint draws them at x 71, x 114 and y 45.
#include <gtest/gtest.h>

#include "Controls.h"
#include "SkinProtocol.h"

namespace {

constexpr int kId = 10021;
constexpr int kWidth = 154, kHeight = 90;
constexpr COLORREF kOutline = RGB(0x60, 0x60, 0x60);
constexpr COLORREF kActiveHandle = 0x80FFFF;

enum { kMultiplier = 0, kCrossover = 1, kReverbTime = 2, kDamping = 3 };
using Changes = std::vector<std::pair<int, int>>;

class RevTimeTest : public ::testing::Test {
protected:
    void SetUp() override { display = parent.CreateControl(kRevTimeClassName, 0, 200, 20, kWidth, kHeight, kId); }

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
    // The top rows at which the low (x 65) and mid (x 108) handles' outlines start.
    std::pair<int, int> HandleTops() {
        Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
        PrintInto(display, picture);
        const auto top = [&](int x) {
            for (int y = 0; y < kHeight; ++y)
                if (picture.At(x, y) == kOutline) return y;
            return -1;
        };
        return {top(65), top(108)};
    }

    TestParent parent;
    HWND display = nullptr;
};

TEST_F(RevTimeTest, BandsAreDrawnAtTheirLevelsInTheirFills) {
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    ExpectPixels(picture, {{68, 48, RGB(255, 255, 255)}, {30, 60, 0xD6AB6A}, {90, 60, 0xEAD6B2},
                           {30, 30, TestParent::kBackground}}, "enabled");
    EnableWindow(display, FALSE);
    PrintInto(display, picture);
    ExpectPixels(picture, {{30, 60, 0x989898}, {90, 60, 0xC0C0C0}}, "disabled");
    EnableWindow(display, TRUE);

    EXPECT_EQ(HandleTops(), std::make_pair(45, 45));
    SendMessageA(display, QVRM_SETVALUE, kMultiplier, 20);  // low band to 3000 ms
    EXPECT_EQ(HandleTops(), std::make_pair(36, 45));
    SendMessageA(display, QVRM_SETVALUE, kReverbTime, 1000);  // low 2000 ms, mid 1000 ms
    EXPECT_EQ(HandleTops(), std::make_pair(41, 50));
    SendMessageA(display, QVRM_SETVALUE, 7, 100000);  // no such index: nothing changes
    EXPECT_EQ(HandleTops(), std::make_pair(41, 50));
}

TEST_F(RevTimeTest, PointerShapeFollowsTheLinesAndEdges) {
    const HCURSOR upDown = ExpectedCursor(258, IDC_SIZENS), leftRight = ExpectedCursor(257, IDC_SIZEWE),
                  arrow = LoadCursor(nullptr, IDC_ARROW);
    struct Case {
        int x, y;
        HCURSOR shape;
    };
    // The low level line, where the low handle starts, the mid line, the crossover edge below
    // its handle, the damping edge, and away from everything.
    const Case cases[] = {{30, 43, upDown}, {63, 47, upDown}, {64, 45, arrow},     {30, 48, arrow},
                          {90, 45, upDown}, {71, 53, leftRight}, {73, 80, leftRight}, {71, 52, arrow},
                          {117, 60, leftRight}, {140, 10, arrow}};
    for (const Case& c : cases) EXPECT_EQ(PointAt(display, c.x, c.y), c.shape) << c.x << "," << c.y;
}

TEST_F(RevTimeTest, DragsSetTheValuesOfWhatWasGrabbed) {
    struct Case {
        const char* name;
        POINT from;
        std::vector<POINT> moves;
        Changes changes;
        std::pair<int, int> tops;  // the handles' tops afterwards; (0, 0): not looked at
    };
    const Case cases[] = {
        {"crossover edge", {71, 70}, {{81, 20}}, {{kCrossover, 782}}, {0, 0}},
        {"damping edge", {115, 70}, {{125, 20}}, {{kDamping, 6202}}, {0, 0}},
        // The multiplier moves in tenths and stays within 2 and 30 (109 ms and 4815 ms).
        {"low level", {30, 45}, {{90, 61}, {30, 80}, {30, 30}}, {{kMultiplier, 3}, {kMultiplier, 2}, {kMultiplier, 30}},
         {0, 0}},
        // 3 right of and 3 below the corner: both values of the group.
        {"low handle", {68, 48}, {{78, 38}}, {{kCrossover, 782}, {kMultiplier, 21}}, {0, 0}},
        // The low band keeps its multiplier of 1.0 and so comes along.
        {"mid level", {90, 45}, {{90, 35}}, {{kReverbTime, 3299}}, {35, 35}},
    };
    for (const Case& c : cases) {
        DestroyWindow(display);
        SetUp();
        PointAt(display, c.from.x, c.from.y);
        Press(display, c.from.x, c.from.y);
        EXPECT_EQ(GetCapture(), display) << c.name;
        for (const POINT& to : c.moves) MoveTo(display, to.x, to.y);
        EXPECT_EQ(Taken(), c.changes) << c.name;
        Release(display, c.moves.back().x, c.moves.back().y);
        EXPECT_NE(GetCapture(), display) << c.name;
        if (c.tops.first) EXPECT_EQ(HandleTops(), c.tops) << c.name;
    }
}

TEST_F(RevTimeTest, TheGrabbedHandleIsLit) {
    PointAt(display, 68, 48);
    Press(display, 68, 48);
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    EXPECT_EQ(picture.At(68, 48), kActiveHandle);
    Release(display, 68, 48);
    PrintInto(display, picture);
    EXPECT_NE(picture.At(68, 48), kActiveHandle);
}

TEST_F(RevTimeTest, MidHandleWinsAndDoubleClicksReportTheGroup) {
    // Low handle, crossover edge, mid handle, mid level line, nothing.
    const int groups[][3] = {{68, 48, 0}, {71, 70, 0}, {112, 48, 1}, {90, 45, 1}, {140, 10, -1}};
    for (const auto& g : groups) {
        PointAt(display, g[0], g[1]);
        EXPECT_EQ(DoubleClickReport(parent, display, QVRN_DBLCLK, g[0], g[1]), g[2]) << g[0] << "," << g[1];
    }
    MoveTo(display, 20, 20);
    EXPECT_TRUE(Taken().empty());
    // Crossover over the damping: both handles cover the same pixels and the mid group wins.
    SendMessageA(display, QVRM_SETVALUE, kCrossover, 4000);
    EXPECT_EQ(DoubleClickReport(parent, display, QVRN_DBLCLK, 112, 48), 1);
}

}  // namespace
