// qv:PushButton driven with real mouse and key messages; the parent records what it is told.
#include <gtest/gtest.h>

#include "Controls.h"
#include "SkinProtocol.h"

namespace {

constexpr int kId = 101;
constexpr int kWidth = 40, kHeight = 21;
constexpr COLORREF kNormal = RGB(100, 100, 100);
constexpr COLORREF kLit = RGB(108, 105, 51);  // kNormal under the default tint
constexpr COLORREF kInk = 0x404040;
constexpr COLORREF kFrame = 0x909090;

class PushButtonTest : public ::testing::Test {
protected:
    void Create(DWORD style = 0, const char* text = nullptr) {
        button_ = parent_.CreateControl(kPushButtonClassName, style, 10, 10, kWidth, kHeight, kId, text);
        Send(QVBM_SETIMAGES, reinterpret_cast<WPARAM>(normal_.data()), reinterpret_cast<LPARAM>(pressed_.data()));
        Send(QVBM_REDRAW, 0, 1);
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(button_, message, wParam, lParam);
    }

    TestParent parent_;
    HWND button_ = nullptr;
    std::vector<BYTE> normal_ = SolidImage(kWidth, kHeight, 100, 100, 100, 0);
    std::vector<BYTE> pressed_ = SolidImage(kWidth, kHeight, 50, 50, 50, 0);
};

TEST_F(PushButtonTest, GesturesReportTheirNotifications) {
    const Message down = {WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5)}, up = {WM_LBUTTONUP, 0, At(5, 5)},
                  dbl = {WM_LBUTTONDBLCLK, MK_LBUTTON, At(5, 5)}, space = {WM_KEYDOWN, VK_SPACE, 0};
    const auto move = [](int x, int y) { return Message{WM_MOUSEMOVE, MK_LBUTTON, At(x, y)}; };
    struct Case {
        const char* name;
        std::vector<Message> messages;
        std::vector<int> codes;
    };
    const Case cases[] = {
        // The right edge and negative positions are outside; the bottom row is inside.
        {"leave and re-enter", {down, move(6, 6), move(kWidth, 5), move(-3, 5), move(5, kHeight - 1), up},
         {QVBN_PRESSED, QVBN_LEAVE, QVBN_REENTER, QVBN_CLICKED}},
        {"release outside", {down, move(5, -1), {WM_LBUTTONUP, 0, At(5, -1)}, up}, {QVBN_PRESSED, QVBN_LEAVE}},
        {"click, then double-click", {down, up, dbl, up}, {QVBN_PRESSED, QVBN_CLICKED, QVBN_PRESSED, QVBN_CLICKED}},
        // Moves during a key press change nothing; another key's release cancels.
        {"space, then cancelled",
         {space, {WM_MOUSEMOVE, 0, At(100, 100)}, {WM_KEYUP, VK_SPACE, 0}, space, {WM_KEYUP, VK_SHIFT, 0},
          {WM_KEYDOWN, VK_RETURN, 0}},
         {QVBN_PRESSED, QVBN_CLICKED, QVBN_PRESSED}},
    };
    for (const Case& c : cases) {
        Create();
        for (const Message& m : c.messages) Send(m.message, m.wParam, m.lParam);
        EXPECT_EQ(parent_.TakeFrom(button_, WM_COMMAND), c.codes) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        EXPECT_EQ(WindowPixel(button_, 20, 10), kNormal) << c.name;
        DestroyWindow(button_);
    }
}

TEST_F(PushButtonTest, StylesAndStatesDrawTheirPixels) {
    struct Case {
        const char* name;
        DWORD style;
        bool lit, enabled, focused;
        std::vector<Spot> pixels;
    };
    const Case cases[] = {
        // The glow leaves a border of two pixels untinted.
        {"lit", 0, true, true, false,
         {{20, 10, kLit}, {2, 10, kLit}, {1, 10, kNormal}, {20, 1, kNormal}, {39, 10, kNormal}}},
        // Lit at opacity 160 over the background (40, 80, 120), and unlit.
        {"disabled, lit", 0, true, false, false, {{20, 10, RGB(65, 89, 94)}}},
        {"disabled", 0, false, false, false, {{20, 10, RGB(62, 87, 112)}}},
        // Inner rectangle (2, 2)-(38, 19), odd height: text top 4, right edge 38.
        {"arrow", kPushButtonArrowStyle, false, true, false,
         {{28, 9, kInk}, {34, 9, kInk}, {27, 9, kNormal}, {35, 9, kNormal}, {29, 10, kInk}, {28, 10, kNormal},
          {31, 12, kInk}, {30, 12, kNormal}, {31, 13, kNormal}}},
        // Glyph at (38 - 10, 4 + 1): its column 3 is black, the rest is the key colour.
        {"glyph", kPushButtonGlyphStyle, false, true, false,
         {{31, 5, 0}, {31, 15, 0}, {28, 5, kNormal}, {30, 10, kNormal}, {31, 16, kNormal}}},
        {"focused", 0, false, true, true,
         {{3, 10, kFrame}, {20, 3, kFrame}, {36, 10, kFrame}, {20, 17, kFrame}, {2, 10, kNormal}}},
    };
    for (const Case& c : cases) {
        Create(c.style, c.style ? "" : nullptr);
        Send(QVBM_SETCHECK, c.lit, c.enabled);  // at once, or for a disabled one at the redraw
        EnableWindow(button_, c.enabled);
        if (c.focused) SetFocus(button_);
        if (!c.enabled) Send(QVBM_REDRAW, 0, 1);
        ExpectPixels(button_, c.pixels, c.name);
        SetFocus(parent_.Window());
        DestroyWindow(button_);
    }
}

}  // namespace
