// qv:Slider driven with real mouse, wheel and key messages; the parent records its reports.
#include <gtest/gtest.h>

#include <set>

#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kId = 201;
constexpr int kWidth = 154, kHeight = 20;
constexpr int kLeft = 20, kTop = 30;  // in the parent, which sits at (100, 100) on screen
constexpr COLORREF kThumb = RGB(200, 0, 0);
const POINT kMiddle = {640, 500};

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        slider_ = parent_.CreateControl(kSliderClassName, 0, kLeft, kTop, kWidth, kHeight, kId);
        ASSERT_NE(slider_, nullptr);
        SetCursorPos(kMiddle.x, kMiddle.y);
    }
    void SetRange(int minimum, int maximum, int value) {
        Send(QVSM_SETRANGE, static_cast<WPARAM>(minimum), maximum);
        Send(QVSM_SETPOS, static_cast<WPARAM>(value), 1);
        parent_.Take();
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(slider_, message, wParam, lParam);
    }
    int Value() { return static_cast<int>(Send(QVSM_GETPOS)); }
    // The reports received, as "P<value>", "E" (end of track) and "D<id>" (double-click).
    std::string Reports() {
        std::string reports;
        for (const Notification& n : parent_.Take()) {
            if (n.message == QVSN_POSCHANGED || n.message == QVSN_ENDTRACK || n.message == QVSN_DBLCLK) {
                EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(slider_));
            }
            if (n.message == QVSN_POSCHANGED) reports += "P" + std::to_string(static_cast<int>(n.wParam)) + " ";
            if (n.message == QVSN_ENDTRACK) reports += "E ";
            if (n.message == QVSN_DBLCLK) reports += "D" + std::to_string(n.wParam) + " ";
        }
        return reports;
    }
    void Paint() {
        InvalidateRect(slider_, nullptr, FALSE);
        UpdateWindow(slider_);
    }
    COLORREF Pixel(int x, int y) { return WindowPixel(slider_, x, y); }

    TestParent parent_;
    HWND slider_ = nullptr;
    std::vector<BYTE> thumb_ = SolidImage(29, 16, 200, 0, 0, 0);
};

TEST_F(SliderTest, DragsAreRelativeAndHideThePointer) {
    struct Case {
        const char* name;
        bool squared;
        std::vector<POINT> moves;
        const char* reports;
    };
    const Case cases[] = {
        // One unit per pixel; vertical motion reports the unchanged value.
        {"linear", false, {{15, 10}, {15, 2}, {12, 2}}, "P505 P505 P502 E "},
        // 5 x 5 / 2 + 1 = 13, back, 1 x 1 / 2 + 1 = 1, then 5001 clamped to the maximum.
        {"squared", true, {{15, 10}, {10, 10}, {11, 10}, {111, 10}}, "P513 P500 P501 P1000 E "},
    };
    const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    for (const Case& c : cases) {
        SetRange(0, 1000, 500);
        Send(QVSM_SETSQUAREDDRAG, c.squared);
        SetCursor(arrow);
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));  // beside the thumb: no jump to the click
        EXPECT_EQ(Value(), 500) << c.name;
        EXPECT_EQ(GetCursor(), nullptr) << c.name;
        for (const POINT& p : c.moves) Send(WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
        Send(WM_LBUTTONUP, 0, At(c.moves.back().x, c.moves.back().y));
        EXPECT_EQ(Reports(), c.reports) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        EXPECT_EQ(GetCursor(), arrow) << c.name;
    }
}

TEST_F(SliderTest, ReleasePutsThePointerBack) {
    SetRange(0, 1000, 500);  // thumb at (500 + 500 x 125) / 1000 = 63
    // Started beside the thumb: back to the press point.
    SetCursorPos(300, 400);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    SetCursorPos(kMiddle.x, kMiddle.y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(14, 10));
    Send(WM_LBUTTONUP, 0, At(14, 10));
    POINT pointer;
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, 300);
    EXPECT_EQ(pointer.y, 400);
    // Started on the thumb: onto the thumb's centre, wherever the value took it.
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 10));
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(170, 10));  // 604: thumb at (500 + 604 x 125) / 1000 = 76
    Send(WM_LBUTTONUP, 0, At(170, 10));
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, 100 + kLeft + 76 + 12);
    EXPECT_EQ(pointer.y, 100 + kTop + kHeight / 2 - 2);
    EXPECT_EQ(Reports(), "P504 E P604 E ");
    // Press and release without a move: the pointer stays, no end of track.
    SetCursorPos(kMiddle.x, kMiddle.y);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(70, 10));
    Send(WM_LBUTTONUP, 0, At(70, 10));
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, kMiddle.x);
    EXPECT_EQ(Reports(), "");
}

TEST_F(SliderTest, ScreenEdgeWarpsThePointerToTheCentreWithoutAJump) {
    SetRange(0, 1000, 500);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    SetCursorPos(desktop.right - 1, kMiddle.y);
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(40, 10));   // at the edge: warp, nothing else
    POINT pointer;
    GetCursorPos(&pointer);
    EXPECT_EQ(pointer.x, (desktop.left + desktop.right) / 2);
    EXPECT_EQ(pointer.y, (desktop.top + desktop.bottom) / 2);
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(-200, 10));  // the move the warp caused: ignored
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(-197, 10));
    Send(WM_LBUTTONUP, 0, At(-197, 10));
    EXPECT_EQ(Reports(), "P503 E ");
}

TEST_F(SliderTest, WheelStepsByTheAcceleratedDeltaAndClamps) {
    SetRange(0, 10000, 5000);
    Wheel(slider_, 120);  // long after the last wheel message: one unit
    EXPECT_EQ(Reports(), "P5001 E ");
    Wheel(slider_, -360);  // right after: three notches down, accelerated
    EXPECT_LE(Value(), 5001 - 9);
    parent_.Take();
    Send(QVSM_SETPOS, 9999, 0);
    Wheel(slider_, 240);
    EXPECT_EQ(Reports(), "P10000 E ");
}

TEST_F(SliderTest, WheelIsIgnoredWhileAnInlineEditorIsOpen) {
    SetRange(0, 100, 50);
    HWND edit = parent_.CreateControl(kEditClassName, 0, 200, 100, 40, 21, 300, "5.0");
    SendMessageA(edit, WM_LBUTTONDBLCLK, 0, At(5, 5));
    ASSERT_NE(GetDlgItem(edit, kInlineEditorId), nullptr);
    Wheel(slider_, 120);
    EXPECT_EQ(Value(), 50);
    EXPECT_EQ(Reports(), "");
    SendMessageA(GetDlgItem(edit, kInlineEditorId), WM_KEYDOWN, VK_ESCAPE, 0);
    Wheel(slider_, 120);
    EXPECT_EQ(Value(), 51);
}

TEST_F(SliderTest, KeysStepPageAndJumpToTheEnds) {
    SetRange(0, 100, 50);  // page size 100 x 15 / (154 - 4) = 10
    for (WPARAM key : {VK_PRIOR, VK_NEXT, VK_NEXT, VK_RIGHT, VK_UP, VK_DOWN, VK_LEFT}) Send(WM_KEYDOWN, key);
    EXPECT_EQ(Reports(), "P60 E P50 E P40 E P41 E P42 E P41 E P40 E ");
    // A second End or Home at the end changes nothing; Left at the minimum is still
    // reported; other keys do nothing.
    for (WPARAM key : {VK_END, VK_END, VK_HOME, VK_HOME, VK_LEFT, VK_F5}) Send(WM_KEYDOWN, key);
    EXPECT_EQ(Reports(), "P100 E P0 E P0 E ");
    EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(SliderTest, DefaultPageSizeComesFromTheRange) {
    SetRange(0, 1000, 500);  // 1000 x 15 / 150 = 100
    Send(WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(Value(), 600);
    SetRange(0, 5, 0);  // already set: stays 100
    Send(WM_KEYDOWN, VK_PRIOR);
    EXPECT_EQ(Value(), 5);

    // A fresh slider of range 5: 75 / 150 = 0, at least 1; one given page size 7 keeps it.
    for (int pageSize : {0, 7}) {
        HWND other = parent_.CreateControl(kSliderClassName, 0, 20, 60 + 30 * pageSize, kWidth, kHeight, kId + 1);
        if (pageSize) SendMessageA(other, QVSM_SETPAGESIZE, pageSize, 0);
        SendMessageA(other, QVSM_SETRANGE, 0, pageSize ? 1000 : 5);
        SendMessageA(other, WM_KEYDOWN, VK_PRIOR, 0);
        EXPECT_EQ(SendMessageA(other, QVSM_GETPOS, 0, 0), pageSize ? 7 : 1);
    }
}

TEST_F(SliderTest, DoubleClickReportsOnlyTheDoubleClick) {
    SetRange(0, 100, 30);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(m, 0, At(50, 10));
    EXPECT_EQ(Reports(), "D" + std::to_string(kId) + " ");
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(SliderTest, SetPosStoresAnyValueUntilTheNextUserAction) {
    SetRange(0, 100, 30);
    Send(QVSM_SETPOS, 5000, 0);
    EXPECT_EQ(Value(), 5000);
    EXPECT_EQ(Reports(), "");
    Send(WM_KEYDOWN, VK_DOWN);
    EXPECT_EQ(Reports(), "P100 E ");
    ValidateRect(slider_, nullptr);
    Send(QVSM_SETPOS, 100, 0);  // unchanged: not even invalidated
    EXPECT_FALSE(GetUpdateRect(slider_, nullptr, FALSE));
    Send(QVSM_SETPOS, 99, 0);
    EXPECT_TRUE(GetUpdateRect(slider_, nullptr, FALSE));
}

// x positions on row y with the colour.
std::set<int> Columns(HWND window, int y, COLORREF colour) {
    std::set<int> xs;
    for (int x = 0; x < kWidth; ++x)
        if (WindowPixel(window, x, y) == colour) xs.insert(x);
    return xs;
}

TEST_F(SliderTest, TicksFollowStepAndOffset) {
    Send(QVSM_SETTICKSTEP, 20);
    Send(QVSM_SETTICKOFFSET, 10);
    SetRange(0, 100, 0);  // ticks at 0, 30, 50, 70, 90 and 100; x = 12 + (50 + v x 125) / 100
    EXPECT_EQ(Columns(slider_, 10, 0x505050), (std::set<int>{12, 137}));
    EXPECT_EQ(Columns(slider_, 12, 0x888888), (std::set<int>{50, 75, 100, 125}));
    EXPECT_EQ(WindowPixel(slider_, 12, 15), 0x505050u);
    EXPECT_NE(WindowPixel(slider_, 12, 16), 0x505050u);
    EXPECT_NE(WindowPixel(slider_, 50, 11), 0x888888u);

    Send(QVSM_SETTICKSTEP, 20);
    Send(QVSM_SETTICKOFFSET, 1);
    SetRange(-361, 60, 0);  // majors at -361, 0 and 60; minors at -340 ... -20, 20, 40
    EXPECT_EQ(Columns(slider_, 10, 0x505050).size(), 3u);
    EXPECT_EQ(Columns(slider_, 12, 0x888888).size(), 19u);

    Send(QVSM_SETTICKSTEP, 0);
    Paint();
    EXPECT_TRUE(Columns(slider_, 12, 0x888888).empty());
    EXPECT_TRUE(Columns(slider_, 10, 0x505050).empty());
}

TEST_F(SliderTest, GrooveAndThumbDrawing) {
    SetRange(0, 100, 0);
    Send(QVSM_SETTICKSTEP, 0);
    Paint();
    constexpr COLORREF kBack = TestParent::kBackground;
    // Groove rows (20 - 4) / 2 - 2 = 6 and 7, from x = 4 to 149.
    ExpectPixels(slider_, {{4, 6, 0x202020}, {149, 7, 0x202020}, {150, 6, kBack}, {3, 6, kBack}, {60, 5, kBack},
                           {60, 8, kBack}}, "groove");
    Send(QVSM_SETTHUMBIMAGE, reinterpret_cast<WPARAM>(thumb_.data()));
    Send(QVSM_SETPOS, 100, 1);  // thumb from 125 to 153, rows 0 to 15
    ExpectPixels(slider_, {{125, 0, kThumb}, {153, 15, kThumb}, {124, 0, kBack}, {130, 16, kBack}}, "thumb");
    Send(QVSM_SETGROOVE, 0);
    Send(QVSM_SETTHUMBLENGTH, 20);
    Paint();
    // Travel 134.
    ExpectPixels(slider_, {{4, 6, kBack}, {134, 0, kThumb}, {133, 0, kBack}}, "no groove, thumb length 20");
}

TEST_F(SliderTest, ThumbIsLitWhileFocusedOrTracking) {
    SetRange(0, 100, 0);
    Send(QVSM_SETTHUMBIMAGE, reinterpret_cast<WPARAM>(thumb_.data()));
    Paint();
    EXPECT_EQ(Pixel(10, 2), kThumb);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    EXPECT_EQ(Pixel(10, 2), RGB(217, 0, 0));  // 200 x 255 / 235
    Send(WM_LBUTTONUP, 0, At(10, 10));
    ASSERT_EQ(GetFocus(), slider_);
    EXPECT_EQ(Pixel(10, 2), RGB(217, 0, 0));
    SetFocus(parent_.Window());
    EXPECT_EQ(Pixel(10, 2), kThumb);
}

TEST_F(SliderTest, DisabledSliderFadesTheThumbAndHidesTheGrooveUnderIt) {
    SetRange(0, 100, 0);
    Send(QVSM_SETTICKSTEP, 0);
    const auto clear = SolidImage(29, 16, 0, 0, 0, 255);
    Send(QVSM_SETTHUMBIMAGE, reinterpret_cast<WPARAM>(clear.data()));
    EnableWindow(slider_, FALSE);
    Paint();
    // The strip 0 to 25 under the thumb shows the background.
    ExpectPixels(slider_, {{20, 6, TestParent::kBackground}, {27, 6, 0xA0A0A0}, {60, 7, 0xA0A0A0}}, "disabled");
    Send(QVSM_SETTHUMBIMAGE, reinterpret_cast<WPARAM>(thumb_.data()));
    SetFocus(slider_);
    Paint();
    // Opacity 192, never lit: 200 + ((40 - 200) x 193 >> 8) = 79.
    EXPECT_EQ(Pixel(10, 2), RGB(79, 60, 90));
}

}  // namespace
