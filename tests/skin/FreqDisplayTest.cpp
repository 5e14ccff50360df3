// qv:FreqDisplay driven through real windows and messages. At the defaults both edges sit at
// the ends of the plot area (inset 3); 1000 Hz is mouse pixel 86.
#include <gtest/gtest.h>

#include "Controls.h"
#include "SkinProtocol.h"

namespace {

constexpr int kId = 10007;
constexpr COLORREF kOutline = RGB(0x60, 0x60, 0x60);
constexpr COLORREF kBand = 0xD6AB6A;
constexpr COLORREF kBackground = TestParent::kBackground;
constexpr int kWidth = 154, kHeight = 44;
using Edges = std::vector<std::pair<int, int>>;

class FreqDisplayTest : public ::testing::Test {
protected:
    void SetUp() override { display = parent.CreateControl(kFreqDisplayClassName, 0, 20, 20, kWidth, kHeight, kId); }
    void Set(UINT message, WPARAM wParam, LPARAM lParam = 0) { SendMessageA(display, message, wParam, lParam); }

    // The QVFN_CHANGED notifications posted since the last call, as (edge, frequency).
    Edges Changes() {
        Edges changes;
        for (const Notification& n : parent.Take()) {
            EXPECT_EQ(n.message, QVFN_CHANGED);
            EXPECT_EQ(LOWORD(n.wParam), kId);
            changes.emplace_back(HIWORD(n.wParam), static_cast<int>(n.lParam));
        }
        return changes;
    }

    TestParent parent;
    HWND display = nullptr;
};

TEST_F(FreqDisplayTest, DrawsTheBandAndTheHandles) {
    struct Case {
        const char* name;
        int low;
        bool enabled;
        std::vector<Spot> spots;
    };
    const Case cases[] = {
        {"defaults", 19, true, {{10, 22, kBand}, {143, 22, kBand}, {1, 22, kBackground}, {152, 22, kBackground},
                                {70, 42, kBackground}}},
        // The low handle spans x - 1 to x + 5 from the plot top (row 3): outline, white inside.
        {"1000 Hz", 1000, true, {{85, 3, kOutline}, {85, 9, kOutline}, {91, 3, kOutline}, {91, 9, kOutline},
                                 {88, 3, kOutline}, {88, 9, kOutline}, {88, 6, RGB(255, 255, 255)},
                                 {40, 20, kBackground}, {120, 20, kBand}}},
        {"disabled", 19, false, {{70, 22, 0x989898}}},
    };
    for (const Case& c : cases) {
        Set(QVFM_SETLOW, c.low);
        EnableWindow(display, c.enabled);
        Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
        PrintInto(display, picture);
        ExpectPixels(picture, c.spots, c.name);
        EXPECT_NE(picture.At(92, 6), kOutline) << c.name;
    }
}

TEST_F(FreqDisplayTest, DragsMoveTheGrabbedPartWithinItsLimits) {
    struct Case {
        const char* name;
        int low, high;
        std::vector<std::pair<int, int>> limits;  // QVFM_SETLIMIT's (which, frequency)
        POINT press;
        std::vector<int> moves;  // x positions, one drag step each
        std::vector<Edges> changes;
    };
    const Case cases[] = {
        // Pressed two pixels right of the edge: the edge keeps that offset, no jump to 88.
        {"low edge", 1000, 22100, {}, {88, 5}, {88, 98}, {{{0, 989}}, {{0, 1584}}}},
        // Both handles cover x 83; the high one wins and stops at its limits.
        {"high edge over the low one", 760, 1000, {{2, 2000}, {3, 9000}}, {83, 5}, {150, 20}, {{{1, 9000}}, {{1, 2000}}}},
        // The band stops at the low end while the high edge follows the pointer.
        {"band", 100, 10000, {}, {80, 20}, {20}, {{{0, 19}, {1, 589}}}},
        // Dragging ends 20 pixels right of the area (150 + 20 - the grab offset 2).
        {"far right", 19, 22100, {{1, 100000}}, {4, 5}, {500, 170, 169}, {{{0, 46923}}, {{0, 46923}}, {{0, 44766}}}},
    };
    for (const Case& c : cases) {
        DestroyWindow(display);
        SetUp();
        Set(QVFM_SETLOW, c.low);
        Set(QVFM_SETHIGH, c.high);
        for (const auto& limit : c.limits) Set(QVFM_SETLIMIT, limit.first, limit.second);
        Press(display, c.press.x, c.press.y);
        EXPECT_EQ(GetCapture(), display) << c.name;
        for (size_t i = 0; i < c.moves.size(); ++i) {
            MoveTo(display, c.moves[i], c.press.y);
            EXPECT_EQ(Changes(), c.changes[i]) << c.name << ", move to " << c.moves[i];
        }
        Release(display, c.moves.back(), c.press.y);
        EXPECT_NE(GetCapture(), display) << c.name;
        MoveTo(display, 60, c.press.y);
        EXPECT_TRUE(Changes().empty()) << c.name << ": moves after the release";
    }
    // Losing the capture to another window ends a drag as a release does.
    Press(display, 98, 5);
    SetCapture(parent.Window());
    MoveTo(display, 120, 5);
    EXPECT_TRUE(Changes().empty());
    ReleaseCapture();
}

TEST_F(FreqDisplayTest, DoubleClickReportsThePartHitAndStartsNoDrag) {
    Set(QVFM_SETLOW, 1000);  // handle 86..92
    const std::pair<int, int> parts[] = {{88, 0}, {147, 1}, {120, 2}, {40, -1}};
    for (const auto& p : parts) EXPECT_EQ(DoubleClickReport(parent, display, QVFN_DBLCLK, p.first, 10), p.second) << p.first;
    MoveTo(display, 60, 10);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(GetFocus(), display);
}

TEST_F(FreqDisplayTest, PointerShowsAnOpenHandOverTheBandAndAClosedOneWhileDragging) {
    Set(QVFM_SETLOW, 1000);
    const HCURSOR openHand = ExpectedCursor(117, IDC_HAND), arrow = LoadCursor(nullptr, IDC_ARROW);
    // Right of the low handle, on it, left of the high handle, on it, left of the band.
    const std::pair<int, HCURSOR> shapes[] = {{93, openHand}, {92, arrow}, {144, openHand}, {146, arrow}, {60, arrow}};
    for (const auto& s : shapes) EXPECT_EQ(PointAt(display, s.first, 20), s.second) << s.first;
    EXPECT_EQ(SendMessageA(display, WM_SETCURSOR, reinterpret_cast<WPARAM>(display), HTCLIENT), 1);

    const HCURSOR closedHand = ExpectedCursor(118, IDC_SIZEALL);
    Press(display, 120, 20);
    EXPECT_EQ(GetCursor(), closedHand);
    SendMessageA(display, WM_SETCURSOR, reinterpret_cast<WPARAM>(display), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), closedHand);
    Release(display, 1, 20);
}

}  // namespace
