// qv:Slider driven with real mouse, wheel and key messages; the parent records its reports.
#include <gtest/gtest.h>

#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kId = 201;

class SliderTest : public ::testing::Test {
protected:
    void SetUp() override {
        slider_ = parent_.CreateControl(kSliderClassName, 0, 20, 30, 154, 20, kId);
        SetCursorPos(640, 500);  // away from the slider
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
    // Posts a wheel message (so that it carries a message time) and dispatches it.
    void Wheel(int delta) {
        PostMessageA(slider_, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(delta)), 0);
        PumpMessages();
    }
    // The reports received, as "P<value>" and "E" (end of track).
    std::string Reports() {
        std::string reports;
        for (const Message& n : parent_.Take()) {
            if (n.message != QVSN_POSCHANGED && n.message != QVSN_ENDTRACK) continue;
            EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(slider_));
            reports += n.message == QVSN_ENDTRACK ? "E " : "P" + std::to_string(static_cast<int>(n.wParam)) + " ";
        }
        return reports;
    }

    TestParent parent_;
    HWND slider_ = nullptr;
};

TEST_F(SliderTest, DragsAreRelativeAndHideThePointer) {
    SetRange(0, 1000, 500);
    const HCURSOR arrow = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    SetCursor(arrow);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));  // beside the thumb: no jump to the click
    EXPECT_EQ(Value(), 500);
    EXPECT_EQ(GetCursor(), nullptr);
    // One unit per pixel; vertical motion reports the unchanged value.
    for (const POINT& p : {POINT{15, 10}, POINT{15, 2}, POINT{12, 2}}) Send(WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
    Send(WM_LBUTTONUP, 0, At(12, 2));
    EXPECT_EQ(Reports(), "P505 P505 P502 E ");
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(GetCursor(), arrow);
}

TEST_F(SliderTest, KeysAndWheelStepAndStopAtTheEnds) {
    SetRange(0, 100, 50);  // page size, set by the first range: 100 x 15 / (154 - 4) = 10
    for (WPARAM key : {VK_PRIOR, VK_NEXT, VK_NEXT, VK_RIGHT, VK_UP, VK_DOWN, VK_LEFT}) Send(WM_KEYDOWN, key);
    EXPECT_EQ(Reports(), "P60 E P50 E P40 E P41 E P42 E P41 E P40 E ");
    // A second End or Home at the end changes nothing; Left at the minimum is still
    // reported; other keys do nothing.
    for (WPARAM key : {VK_END, VK_END, VK_HOME, VK_HOME, VK_LEFT, VK_F5}) Send(WM_KEYDOWN, key);
    EXPECT_EQ(Reports(), "P100 E P0 E P0 E ");
    EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS);

    SetRange(0, 10000, 5000);
    Wheel(120);  // long after the last wheel message: one unit
    EXPECT_EQ(Reports(), "P5001 E ");
    Wheel(-360);  // right after: three notches down, accelerated
    EXPECT_LE(Value(), 5001 - 9);
    Send(QVSM_SETPOS, 9999, 0);
    parent_.Take();
    Wheel(240);
    EXPECT_EQ(Reports(), "P10000 E ");
}

}  // namespace
