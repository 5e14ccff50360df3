// Dragging the parts of qv:FreqDisplay and qv:RevTime with real mouse messages: which part
// a press grabs, the values reported as it moves, and the limits they stop at. The editor
// tests feed the displays' reports to the page; here the displays make them.
#include <gtest/gtest.h>

#include "Controls.h"
#include "SkinProtocol.h"

namespace {

// Reports of `notification` from control `id` since the last call, as (part, value).
using Reports = std::vector<std::pair<int, int>>;
Reports Taken(TestParent& parent, UINT notification, int id) {
    Reports reports;
    for (const Message& n : parent.Take()) {
        EXPECT_EQ(n.message, notification);
        EXPECT_EQ(LOWORD(n.wParam), id);
        reports.emplace_back(HIWORD(n.wParam), static_cast<int>(n.lParam));
    }
    return reports;
}

// At the defaults both edges sit at the ends of the plot area (inset 3); 1000 Hz is mouse
// pixel 86.
TEST(FreqDisplayDrag, MovesTheGrabbedPartWithinItsLimits) {
    constexpr int kId = 10007;
    struct Case {
        const char* name;
        int low, high;
        Reports limits;  // QVFM_SETLIMIT's (which, frequency)
        POINT press;
        std::vector<int> moves;  // x positions, one drag step each
        std::vector<Reports> changes;
    };
    const Case cases[] = {
        // Pressed two pixels right of the edge: the edge keeps that offset, no jump to 88. Dragging
        // ends 20 pixels right of the area (150 + 20 - the offset).
        {"low edge", 1000, 22100, {{1, 100000}}, {88, 5}, {88, 98, 500, 169},
         {{{0, 989}}, {{0, 1584}}, {{0, 46923}}, {{0, 44766}}}},
        // Both handles cover x 83; the high one wins and stops at its limits.
        {"high edge over the low one", 760, 1000, {{2, 2000}, {3, 9000}}, {83, 5}, {150, 20}, {{{1, 9000}}, {{1, 2000}}}},
        // The band stops at the low end while the high edge follows the pointer.
        {"band", 100, 10000, {}, {80, 20}, {20}, {{{0, 19}, {1, 589}}}},
    };
    TestParent parent;
    for (const Case& c : cases) {
        HWND display = parent.CreateControl(kFreqDisplayClassName, 0, 20, 20, 154, 44, kId);
        SendMessageA(display, QVFM_SETLOW, c.low, 0);
        SendMessageA(display, QVFM_SETHIGH, c.high, 0);
        for (const auto& limit : c.limits) SendMessageA(display, QVFM_SETLIMIT, limit.first, limit.second);
        Press(display, c.press.x, c.press.y);
        for (size_t i = 0; i < c.moves.size(); ++i) {
            MoveTo(display, c.moves[i], c.press.y);
            EXPECT_EQ(Taken(parent, QVFN_CHANGED, kId), c.changes[i]) << c.name << ", move to " << c.moves[i];
        }
        Release(display, c.moves.back(), c.press.y);
        EXPECT_NE(GetCapture(), display) << c.name;
        MoveTo(display, 60, c.press.y);
        EXPECT_TRUE(Taken(parent, QVFN_CHANGED, kId).empty()) << c.name << ": moves after the release";
        DestroyWindow(display);
    }
}

// With the defaults on the 154 x 90 display the mouse sees the crossover at x 71, the damping
// at x 115 and both levels at y 45.
TEST(RevTimeDrag, SetsTheValuesOfWhatWasGrabbed) {
    constexpr int kId = 10021;
    enum { kMultiplier = 0, kCrossover = 1, kReverbTime = 2, kDamping = 3 };
    struct Case {
        const char* name;
        POINT from;
        std::vector<POINT> moves;
        Reports changes;
    };
    const Case cases[] = {
        {"crossover edge", {71, 70}, {{81, 20}}, {{kCrossover, 782}}},
        {"damping edge", {115, 70}, {{125, 20}}, {{kDamping, 6202}}},
        // The multiplier moves in tenths and stays within 2 and 30 (109 ms and 4815 ms).
        {"low level", {30, 45}, {{90, 61}, {30, 80}, {30, 30}}, {{kMultiplier, 3}, {kMultiplier, 2}, {kMultiplier, 30}}},
        // 3 right of and 3 below the corner: both values of the group.
        {"low handle", {68, 48}, {{78, 38}}, {{kCrossover, 782}, {kMultiplier, 21}}},
        {"mid level", {90, 45}, {{90, 35}}, {{kReverbTime, 3299}}},
    };
    TestParent parent;
    for (const Case& c : cases) {
        HWND display = parent.CreateControl(kRevTimeClassName, 0, 200, 20, 154, 90, kId);
        PointAt(display, c.from.x, c.from.y);
        Press(display, c.from.x, c.from.y);
        for (const POINT& to : c.moves) MoveTo(display, to.x, to.y);
        EXPECT_EQ(Taken(parent, QVRN_CHANGED, kId), c.changes) << c.name;
        Release(display, c.moves.back().x, c.moves.back().y);
        EXPECT_NE(GetCapture(), display) << c.name;
        DestroyWindow(display);
    }
}

}  // namespace
