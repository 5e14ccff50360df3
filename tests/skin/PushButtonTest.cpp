// qv:PushButton driven with real mouse and key messages; the parent records what it is told.
#include <gtest/gtest.h>

#include "SkinProtocol.h"
#include "SkinTestSupport.h"

namespace {

constexpr int kId = 101;
constexpr int kWidth = 40, kHeight = 21;
constexpr COLORREF kNormal = RGB(100, 100, 100);
constexpr COLORREF kPressed = RGB(50, 50, 50);
constexpr COLORREF kLit = RGB(108, 105, 51);  // kNormal under the default tint

class PushButtonTest : public ::testing::Test {
protected:
    void Create(DWORD style = 0, const char* text = nullptr) {
        button_ = parent_.CreateControl(kPushButtonClassName, style, 10, 10, kWidth, kHeight, kId, text);
        ASSERT_NE(button_, nullptr);
        SendMessageA(button_, QVBM_SETIMAGES, reinterpret_cast<WPARAM>(normal_.data()),
                     reinterpret_cast<LPARAM>(pressed_.data()));
        Redraw();
    }
    // The codes of the WM_COMMAND notifications received, checking that each names the button.
    std::vector<int> Codes() {
        std::vector<int> codes;
        for (const Notification& n : parent_.Take()) {
            if (n.message != WM_COMMAND) continue;
            EXPECT_EQ(LOWORD(n.wParam), kId);
            EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(button_));
            codes.push_back(HIWORD(n.wParam));
        }
        return codes;
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(button_, message, wParam, lParam);
    }
    void Redraw() { Send(QVBM_REDRAW, 0, 1); }
    COLORREF Pixel(int x, int y) { return WindowPixel(button_, x, y); }
    bool HasUpdate() { return GetUpdateRect(button_, nullptr, FALSE) != FALSE; }
    int CountPixels(COLORREF colour) {
        int count = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) count += Pixel(x, y) == colour;
        return count;
    }

    TestParent parent_;
    HWND button_ = nullptr;
    std::vector<BYTE> normal_ = SolidImage(kWidth, kHeight, 100, 100, 100, 0);
    std::vector<BYTE> pressed_ = SolidImage(kWidth, kHeight, 50, 50, 50, 0);
};

TEST_F(PushButtonTest, ClickReportsPressedThenClicked) {
    Create();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED}));
    EXPECT_EQ(Pixel(20, 10), kPressed);
    EXPECT_EQ(GetCapture(), button_);
    Send(WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_CLICKED}));
    EXPECT_EQ(Pixel(20, 10), kNormal);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Send(WM_GETDLGCODE), 0x21);
}

TEST_F(PushButtonTest, LeavingAndReenteringFollowThePointer) {
    Create();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(6, 6));         // still inside: nothing
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(kWidth, 5));    // right edge is outside
    EXPECT_EQ(Pixel(20, 10), kNormal);
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(-3, 5));        // negative counts as outside: no change
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(5, kHeight - 1));
    EXPECT_EQ(Pixel(20, 10), kPressed);
    Send(WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_LEAVE, QVBN_REENTER, QVBN_CLICKED}));
}

TEST_F(PushButtonTest, ReleaseOutsideDoesNotClick) {
    Create();
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(5, -1));
    Send(WM_LBUTTONUP, 0, At(5, -1));
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_LEAVE}));
    Send(WM_LBUTTONUP, 0, At(5, 5));  // no press running: nothing
    EXPECT_TRUE(Codes().empty());
}

TEST_F(PushButtonTest, DoubleClickReportsAccordingToTheFlag) {
    Create();
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(m, 0, At(5, 5));
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_CLICKED, QVBN_PRESSED, QVBN_CLICKED}));
    Send(QVBM_SETDBLCLKNOTIFY, 1);
    for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) Send(m, 0, At(5, 5));
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_CLICKED, QVBN_DBLCLK, QVBN_CLICKED}));
}

TEST_F(PushButtonTest, SpaceClicksAndAnotherKeyCancels) {
    Create();
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_MOUSEMOVE, 0, At(100, 100));  // moves during a key press change nothing
    Send(WM_KEYUP, VK_SPACE);
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_CLICKED}));
    Send(WM_KEYDOWN, VK_SPACE);
    Send(WM_KEYUP, VK_SHIFT);
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED}));
    EXPECT_EQ(Pixel(20, 10), kNormal);
    Send(WM_KEYDOWN, VK_RETURN);  // other keys do not press
    EXPECT_TRUE(Codes().empty());
}

TEST_F(PushButtonTest, CancelPressEndsThePressAndDropsOneQueuedClick) {
    Create();
    Send(WM_LBUTTONDOWN, 0, At(5, 5));
    PostMessageA(button_, WM_LBUTTONDOWN, 0, At(5, 5));
    PostMessageA(button_, WM_LBUTTONUP, 0, At(5, 5));
    Send(QVBM_CANCELPRESS);
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_CLICKED}));  // the down was dropped
    // Cancelled after the pointer left: no click.
    Send(WM_LBUTTONDOWN, 0, At(5, 5));
    Send(WM_MOUSEMOVE, 0, At(90, 5));
    Send(QVBM_CANCELPRESS);
    EXPECT_EQ(Codes(), (std::vector<int>{QVBN_PRESSED, QVBN_LEAVE}));
}

TEST_F(PushButtonTest, RightClickIsSentAndItsResultReturned) {
    Create();
    parent_.SetRightClickResult(77);
    EXPECT_EQ(Send(WM_RBUTTONDOWN, 0, At(7, 9)), 77);
    const auto log = parent_.Take();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].message, QVBN_RCLICK);
    EXPECT_EQ(log[0].wParam, static_cast<WPARAM>(kId));
    EXPECT_EQ(log[0].lParam, At(7, 9));
}

TEST_F(PushButtonTest, LitButtonGlowsInsideAnUntintedBorder) {
    Create();
    Send(QVBM_SETCHECK, 1, 1);
    EXPECT_EQ(Send(QVBM_GETCHECK), 1);
    EXPECT_EQ(Pixel(20, 10), kLit);
    EXPECT_EQ(Pixel(2, 10), kLit);
    EXPECT_EQ(Pixel(1, 10), kNormal);
    EXPECT_EQ(Pixel(0, 10), kNormal);
    EXPECT_EQ(Pixel(20, 1), kNormal);
    EXPECT_EQ(Pixel(kWidth - 1, 10), kNormal);
    // Narrow mode: one unlit pixel at the left.
    Send(QVBM_SETFOCUSMARGINS, 0, 1);
    Redraw();
    EXPECT_EQ(Pixel(1, 10), kLit);
    EXPECT_EQ(Pixel(0, 10), kNormal);
    // Another tint.
    Send(QVBM_SETTINT, (200u << 24) | (100u << 16) | (200u << 8) | 200u);
    Redraw();
    EXPECT_EQ(Pixel(20, 10), RGB(100, 100, 50));
}

TEST_F(PushButtonTest, DisabledButtonFadesAndStillShowsItsLitState) {
    Create();
    Send(QVBM_SETCHECK, 1, 0);
    EnableWindow(button_, FALSE);
    Redraw();
    // Lit (108, 105, 51) at opacity 160 over the background (40, 80, 120).
    EXPECT_EQ(Pixel(20, 10), RGB(65, 89, 94));
    Send(QVBM_SETCHECK, 0, 1);
    EXPECT_EQ(Pixel(20, 10), RGB(62, 87, 112));
}

TEST_F(PushButtonTest, SetCheckInvalidatesOnlyOnChange) {
    Create();
    ValidateRect(button_, nullptr);
    Send(QVBM_SETCHECK, 0, 0);
    EXPECT_FALSE(HasUpdate());
    Send(QVBM_SETCHECK, 1, 0);
    EXPECT_TRUE(HasUpdate());
    EXPECT_EQ(Pixel(20, 10), kNormal);  // stored, not painted
    ValidateRect(button_, nullptr);
    Send(QVBM_SETCHECK, 1, 1);  // unchanged, but asked to paint
    EXPECT_EQ(Pixel(20, 10), kLit);
}

TEST_F(PushButtonTest, SameLabelTwiceRepaintsOnce) {
    Create();
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Undo"));
    EXPECT_GT(CountPixels(0x404040), 0);
    // Scribble over the button: only a repaint would remove it.
    HDC dc = GetDC(button_);
    RECT all = {0, 0, kWidth, kHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(button_, dc);
    ValidateRect(button_, nullptr);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Undo")), 0);
    EXPECT_EQ(Pixel(20, 10), RGB(255, 255, 255));
    EXPECT_FALSE(HasUpdate());
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Redo"));
    EXPECT_EQ(Pixel(1, 1), kNormal);
    char text[16];
    GetWindowTextA(button_, text, sizeof text);
    EXPECT_STREQ(text, "Redo");
    EnableWindow(button_, FALSE);
    Redraw();
    EXPECT_EQ(CountPixels(0x404040), 0);
    EXPECT_GT(CountPixels(0x808080), 0);
}

TEST_F(PushButtonTest, WithoutImagesDrawsAPlainRectangle) {
    button_ = parent_.CreateControl(kPushButtonClassName, 0, 10, 10, kWidth, kHeight, kId);
    Redraw();
    EXPECT_EQ(Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(kWidth - 1, 5), RGB(0, 0, 0));
    EXPECT_EQ(Pixel(20, 10), RGB(255, 255, 255));
}

TEST_F(PushButtonTest, ArrowStyleDrawsATriangleAtTheRight) {
    Create(kPushButtonArrowStyle, "");
    // Inner rectangle (2, 2)-(38, 19), odd height: text top 4, right edge 38.
    const COLORREF ink = 0x404040;
    EXPECT_EQ(Pixel(28, 9), ink);
    EXPECT_EQ(Pixel(34, 9), ink);
    EXPECT_EQ(Pixel(27, 9), kNormal);
    EXPECT_EQ(Pixel(35, 9), kNormal);
    EXPECT_EQ(Pixel(29, 10), ink);
    EXPECT_EQ(Pixel(28, 10), kNormal);
    EXPECT_EQ(Pixel(31, 12), ink);
    EXPECT_EQ(Pixel(30, 12), kNormal);
    EXPECT_EQ(Pixel(31, 13), kNormal);
    // Pressed: everything moves by (1, 1).
    Send(WM_LBUTTONDOWN, 0, At(5, 5));
    EXPECT_EQ(Pixel(32, 13), ink);
    EXPECT_EQ(Pixel(31, 13), kPressed);
}

TEST_F(PushButtonTest, GlyphStyleDrawsTheGlyphWithoutItsKeyColour) {
    Create(kPushButtonGlyphStyle, "");
    // Glyph at (38 - 10, 4 + 1): its column 3 is black, the rest is the key colour.
    for (int y = 5; y < 16; ++y) EXPECT_EQ(Pixel(31, y), RGB(0, 0, 0)) << y;
    EXPECT_EQ(Pixel(28, 5), kNormal);
    EXPECT_EQ(Pixel(30, 10), kNormal);
    EXPECT_EQ(Pixel(31, 16), kNormal);
}

TEST_F(PushButtonTest, FocusFrameTakesTheMargins) {
    Create();
    SetFocus(button_);
    ASSERT_EQ(GetFocus(), button_);
    EXPECT_EQ(Pixel(3, 10), 0x909090u);
    EXPECT_EQ(Pixel(20, 3), 0x909090u);
    EXPECT_EQ(Pixel(36, 10), 0x909090u);
    EXPECT_EQ(Pixel(20, 17), 0x909090u);
    const RECT margins = {-1, -1, 1, 1};
    Send(QVBM_SETFOCUSMARGINS, reinterpret_cast<WPARAM>(&margins), 0);
    Redraw();
    EXPECT_EQ(Pixel(2, 10), 0x909090u);
    EXPECT_EQ(Pixel(3, 10), kNormal);
    EXPECT_EQ(Pixel(37, 10), 0x909090u);
    SetFocus(parent_.Window());
    EXPECT_EQ(Pixel(2, 10), kNormal);
}

}  // namespace
