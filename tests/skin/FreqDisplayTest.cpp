// qv:FreqDisplay driven through real windows and messages.
#include <gtest/gtest.h>

#include "FreqDisplay.h"
#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kId = 10007;
constexpr COLORREF kHandleOutline = RGB(0x60, 0x60, 0x60);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBandFill = 0xD6AB6A;
constexpr COLORREF kDisabledFill = 0x989898;
constexpr COLORREF kBackground = TestParent::kBackground;
constexpr int kWidth = 154;
constexpr int kHeight = 44;

class FreqDisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        display = parent.CreateControl(kFreqDisplayClassName, 0, 20, 20, kWidth, kHeight, kId);
        ASSERT_NE(display, nullptr);
    }

    // The QVFN_CHANGED notifications posted since the last call, as (edge, frequency).
    std::vector<std::pair<int, int>> Changes() {
        std::vector<std::pair<int, int>> changes;
        for (const Notification& n : parent.Take()) {
            EXPECT_EQ(n.message, QVFN_CHANGED);
            EXPECT_EQ(LOWORD(n.wParam), kId);
            changes.emplace_back(HIWORD(n.wParam), static_cast<int>(n.lParam));
        }
        return changes;
    }

    // The part a double-click at x reports.
    int DoubleClickPart(int x) { return DoubleClickReport(parent, display, QVFN_DBLCLK, x, 10); }

    TestParent parent;
    HWND display = nullptr;
};

using Edges = std::vector<std::pair<int, int>>;

TEST_F(FreqDisplayTest, FreshDisplayShowsTheBandOverTheWholeAxis) {
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    // Both edges sit at the ends of the plot area, so the band fills its middle row.
    const int row = 22;
    EXPECT_EQ(picture.At(10, row), kBandFill);
    EXPECT_EQ(picture.At(143, row), kBandFill);
    // Outside the plot area (inset 3) only the background shows.
    EXPECT_EQ(picture.At(1, row), kBackground);
    EXPECT_EQ(picture.At(152, row), kBackground);
    EXPECT_EQ(picture.At(70, 42), kBackground);
}

TEST_F(FreqDisplayTest, ThousandHertzIsDrawnAtPixel86) {
    SendMessageA(display, QVFM_SETLOW, 1000, 0);
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    PrintInto(display, picture);
    // The low handle spans x - 1 to x + 5 from the plot top (row 3): outline, white inside.
    for (int row = 3; row <= 9; ++row) {
        EXPECT_EQ(picture.At(85, row), kHandleOutline) << row;
        EXPECT_EQ(picture.At(91, row), kHandleOutline) << row;
    }
    EXPECT_EQ(picture.At(88, 3), kHandleOutline);
    EXPECT_EQ(picture.At(88, 9), kHandleOutline);
    EXPECT_EQ(picture.At(88, 6), kWhite);
    EXPECT_NE(picture.At(92, 6), kHandleOutline);
    // Left of the band's skirt the background shows; right of the handle the band.
    EXPECT_EQ(picture.At(40, 20), kBackground);
    EXPECT_EQ(picture.At(120, 20), kBandFill);
}

TEST_F(FreqDisplayTest, DisabledBandUsesTheGreyFill) {
    Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
    EnableWindow(display, FALSE);
    PrintInto(display, picture);
    EXPECT_EQ(picture.At(70, 22), kDisabledFill);
    EnableWindow(display, TRUE);
    PrintInto(display, picture);
    EXPECT_EQ(picture.At(70, 22), kBandFill);
}

TEST_F(FreqDisplayTest, PressNextToAnEdgeKeepsTheGrabOffset) {
    SendMessageA(display, QVFM_SETLOW, 1000, 0);  // low edge at mouse pixel 86
    Press(display, 88, 5);
    EXPECT_EQ(GetCapture(), display);
    MoveTo(display, 88, 5);  // no motion: the edge stays where it was (pixel 86), not 88
    EXPECT_EQ(Changes(), (Edges{{0, 989}}));
    MoveTo(display, 98, 5);
    EXPECT_EQ(Changes(), (Edges{{0, 1584}}));
    Release(display, 98, 5);
    EXPECT_NE(GetCapture(), display);
    MoveTo(display, 120, 5);
    EXPECT_TRUE(Changes().empty());

    // Losing the capture to another window ends a drag as a release does.
    Press(display, 98, 5);
    SetCapture(parent.Window());
    MoveTo(display, 120, 5);
    EXPECT_TRUE(Changes().empty());
    ReleaseCapture();
}

TEST_F(FreqDisplayTest, HighHandleWinsWhereBothOverlapAndClampsToItsLimits) {
    SendMessageA(display, QVFM_SETLOW, 760, 0);    // mouse pixel 80: handle 80..86
    SendMessageA(display, QVFM_SETHIGH, 1000, 0);  // mouse pixel 86: handle 79..85
    SendMessageA(display, QVFM_SETLIMIT, 2, 2000);
    SendMessageA(display, QVFM_SETLIMIT, 3, 9000);
    Press(display, 83, 5);
    MoveTo(display, 150, 5);
    EXPECT_EQ(Changes(), (Edges{{1, 9000}}));
    MoveTo(display, 20, 5);
    EXPECT_EQ(Changes(), (Edges{{1, 2000}}));
    Release(display, 20, 5);
}

TEST_F(FreqDisplayTest, DraggedBandStopsAtTheLowLimitWhileTheHighEdgeFollows) {
    SendMessageA(display, QVFM_SETLOW, 100, 0);     // mouse pixel 37
    SendMessageA(display, QVFM_SETHIGH, 10000, 0);  // mouse pixel 135
    Press(display, 80, 20);
    MoveTo(display, 20, 20);
    EXPECT_EQ(Changes(), (Edges{{0, 19}, {1, 589}}));
    Release(display, 20, 20);
}

TEST_F(FreqDisplayTest, DragIsLimitedToTwentyPixelsRightOfTheArea) {
    SendMessageA(display, QVFM_SETLIMIT, 1, 100000);
    Press(display, 4, 5);  // low handle at 19 Hz, pixel 2; grab offset 2
    MoveTo(display, 500, 5);
    EXPECT_EQ(Changes(), (Edges{{0, 46923}}));  // as at pixel 150 + 20 - 2
    MoveTo(display, 170, 5);
    EXPECT_EQ(Changes(), (Edges{{0, 46923}}));
    MoveTo(display, 169, 5);
    EXPECT_EQ(Changes(), (Edges{{0, 44766}}));
    Release(display, 169, 5);
}

TEST_F(FreqDisplayTest, DoubleClickReportsThePartHitAndStartsNoDrag) {
    SendMessageA(display, QVFM_SETLOW, 1000, 0);  // mouse pixel 86, handle 86..92
    EXPECT_EQ(DoubleClickPart(88), 0);
    EXPECT_EQ(DoubleClickPart(147), 1);
    EXPECT_EQ(DoubleClickPart(120), 2);
    EXPECT_EQ(DoubleClickPart(40), -1);
    MoveTo(display, 60, 10);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(GetFocus(), display);
}

TEST_F(FreqDisplayTest, PointerShowsAnOpenHandOverTheBandOnly) {
    SendMessageA(display, QVFM_SETLOW, 1000, 0);
    const HCURSOR openHand = ExpectedCursor(117, IDC_HAND);
    const HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    EXPECT_EQ(PointAt(display, 93, 20), openHand);   // first pixel right of the low handle
    EXPECT_EQ(PointAt(display, 92, 20), arrow);      // still on the handle
    EXPECT_EQ(PointAt(display, 144, 20), openHand);  // last pixel left of the high handle
    EXPECT_EQ(PointAt(display, 146, 20), arrow);     // on the high handle
    EXPECT_EQ(PointAt(display, 60, 20), arrow);      // left of the band
    EXPECT_EQ(SendMessageA(display, WM_SETCURSOR, reinterpret_cast<WPARAM>(display), HTCLIENT), 1);
}

TEST_F(FreqDisplayTest, GrabbedBandKeepsTheClosedHandWhereverThePointerIs) {
    const HCURSOR closedHand = ExpectedCursor(118, IDC_SIZEALL);
    EXPECT_EQ(PointAt(display, 1, 20), LoadCursor(nullptr, IDC_ARROW));  // outside the band
    Press(display, 80, 20);
    EXPECT_EQ(GetCursor(), closedHand);
    SendMessageA(display, WM_SETCURSOR, reinterpret_cast<WPARAM>(display),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), closedHand);
    Release(display, 80, 20);
}

}  // namespace
