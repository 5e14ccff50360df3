// qv:Edit and its inline text box driven with real mouse, wheel and key messages; the parent
// records the steps and commands posted to it.
#include <gtest/gtest.h>

#include "ControlFont.h"
#include "InlineEditor.h"
#include "SkinProtocol.h"
#include "Controls.h"
#include "TextInk.h"

namespace {

constexpr int kId = 301;
constexpr int kWidth = 40, kHeight = 21;
constexpr COLORREF kTextColour = 0x454140;

class EditTest : public ::testing::Test {
protected:
    void Create(DWORD style, const char* text = "12.5") {
        edit_ = parent_.CreateControl(kEditClassName, style, 50, 50, kWidth, kHeight, kId, text);
        ASSERT_NE(edit_, nullptr);
        SendMessageA(edit_, QVEM_SETIMAGE, reinterpret_cast<WPARAM>(face_.data()), 0);
    }
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return SendMessageA(edit_, message, wParam, lParam);
    }
    // The deltas of the steps posted, checking that each names the field.
    std::vector<int> Steps() {
        std::vector<int> steps;
        for (const Notification& n : parent_.Take()) {
            if (n.message != QVEN_STEP) continue;
            EXPECT_EQ(LOWORD(n.wParam), kId);
            EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(edit_));
            steps.push_back(static_cast<short>(HIWORD(n.wParam)));
        }
        return steps;
    }
    void Drag(std::initializer_list<POINT> points) {
        auto p = points.begin();
        Send(WM_LBUTTONDOWN, MK_LBUTTON, At(p->x, p->y));
        for (++p; p != points.end(); ++p) Send(WM_MOUSEMOVE, MK_LBUTTON, At(p->x, p->y));
        Send(WM_LBUTTONUP, 0, 0);
    }
    std::string Text(HWND window) {
        char text[256];
        GetWindowTextA(window, text, sizeof text);
        return text;
    }
    HWND Box() { return GetDlgItem(edit_, kInlineEditorId); }
    // Where `text` belongs, from the control font's metrics on the field's own DC: the client
    // inset by 3, its top 1 lower for the odd height, its right edge 2 further in.
    RECT ExpectedInk(const char* text, UINT align) {
        HDC dc = GetDC(edit_);
        HFONT font = CreateControlFont(dc);
        HGDIOBJ old = SelectObject(dc, font);
        const RECT expected = ExpectedTextInk(dc, text, {3, 4, kWidth - 5, kHeight - 3}, align);
        SelectObject(dc, old);
        DeleteControlFont(font);
        ReleaseDC(edit_, dc);
        return expected;
    }
    // The pixels of the text colour lie where the font puts `text`, give or take a pixel.
    void ExpectTextAt(const char* text, UINT align) {
        const RECT expected = ExpectedInk(text, align);
        ASSERT_NE(expected.bottom, 0) << "the control font has no glyph outlines to measure";
        const RECT ink = InkBounds(kWidth, kHeight, [&](int x, int y) { return WindowPixel(edit_, x, y) == kTextColour; });
        ASSERT_NE(ink.right, 0) << "no text drawn";
        EXPECT_TRUE(InsideWithin(ink, expected, 1)) << ink << " outside " << expected;
    }

    TestParent parent_;
    HWND edit_ = nullptr;
    std::vector<BYTE> face_ = SolidImage(kWidth, kHeight, 220, 220, 220, 0);
};

TEST_F(EditTest, DragFollowsOneAxisWithHysteresis) {
    Create(kEditLinearDragStyle);
    // 4 right, 9 up: vertical (2 x 4 < 9), +9; 5 right, 2 up: back to horizontal (2 x 2 < 5), +5;
    // 3 right, 2 up: stays horizontal, +3; a move to the same place still posts 0.
    Drag({{20, 10}, {24, 1}, {29, -1}, {32, -3}, {32, -3}});
    EXPECT_EQ(Steps(), (std::vector<int>{9, 5, 3, 0}));
    EXPECT_EQ(GetCapture(), nullptr);
    // 1 right, 3 down: vertical, -3. The axis persists into the next drag: 2 right, 1 up does
    // not switch back (2 x 1 < 2 is false) and posts +1.
    Drag({{20, 10}, {21, 13}});
    EXPECT_EQ(Steps(), (std::vector<int>{-3}));
    Drag({{20, 10}, {22, 9}});
    EXPECT_EQ(Steps(), (std::vector<int>{1}));
}

TEST_F(EditTest, SquaredDragKeepsTheSignAndWraps) {
    Create(0);  // squared unless the style says otherwise
    Drag({{20, 10}, {20, 7}, {20, 10}});
    EXPECT_EQ(Steps(), (std::vector<int>{9, -9}));
    Send(QVEM_SETFLAGS, kEditReverseFlag);
    Drag({{20, 10}, {20, 7}});
    EXPECT_EQ(Steps(), (std::vector<int>{-9}));
    Send(QVEM_SETFLAGS, 0);
    Drag({{0, 300}, {0, 100}});  // 200 x 200 = 40000 travels in its low 16 bits
    EXPECT_EQ(Steps(), (std::vector<int>{static_cast<short>(40000)}));
    EXPECT_EQ(Send(QVEM_SETSQUAREDDRAG, 0), 0);
    Drag({{20, 10}, {20, 7}});
    EXPECT_EQ(Steps(), (std::vector<int>{3}));
}

TEST_F(EditTest, KeysPostFixedSteps) {
    Create(kEditLinearDragStyle);
    for (WPARAM key : {VK_PRIOR, VK_NEXT, VK_END, VK_HOME, VK_LEFT, VK_DOWN, VK_RIGHT, VK_UP, VK_F5})
        Send(WM_KEYDOWN, key);
    EXPECT_EQ(Steps(), (std::vector<int>{10, -10, 17504, -17504, -1, -1, 1, 1}));
    EXPECT_EQ(Send(WM_GETDLGCODE), DLGC_WANTARROWS);
}

TEST_F(EditTest, WheelStepsReversesAndIsBlockedByAnOpenBox) {
    Create(kEditLinearDragStyle);
    Wheel(edit_, 120);  // long after the last wheel message: one unit
    EXPECT_EQ(Steps(), (std::vector<int>{1}));
    Send(QVEM_SETFLAGS, kEditReverseFlag);
    Wheel(edit_, 120);
    const std::vector<int> reversed = Steps();
    ASSERT_EQ(reversed.size(), 1u);
    EXPECT_LT(reversed[0], 0);
    Send(WM_LBUTTONDBLCLK, 0, At(5, 5));
    parent_.Take();
    Wheel(edit_, 120);
    EXPECT_TRUE(Steps().empty());
}

TEST_F(EditTest, FocusLossShowsTheValueAgainAndEndsTheDrag) {
    Create(kEditLinearDragStyle);
    Send(WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    ASSERT_EQ(GetFocus(), edit_);
    EXPECT_EQ(Send(WM_RBUTTONDOWN, 0, At(10, 10)), 0);  // swallowed while tracking
    SetFocus(parent_.Window());
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(Steps(), (std::vector<int>{0}));
    Send(WM_MOUSEMOVE, MK_LBUTTON, At(30, 10));  // no drag any more
    EXPECT_TRUE(Steps().empty());
}

TEST_F(EditTest, DoubleClickOpensTheBoxWithTheTextSelected) {
    Create(kEditLinearDragStyle);
    Send(WM_LBUTTONDBLCLK, 0, At(5, 5));
    HWND box = Box();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(OpenInlineEditorWindow(), box);
    EXPECT_EQ(GetFocus(), box);
    EXPECT_EQ(Text(box), "12.5");
    DWORD start = 9, end = 9;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);
    RECT placed;
    GetWindowRect(box, &placed);
    MapWindowPoints(nullptr, edit_, reinterpret_cast<POINT*>(&placed), 2);
    const RECT inset = {2, 2, kWidth - 2, kHeight - 2};
    EXPECT_TRUE(EqualRect(&placed, &inset)) << placed;
    const DWORD style = static_cast<DWORD>(GetWindowLongA(box, GWL_STYLE));
    EXPECT_EQ(style & (WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_RIGHT),
              static_cast<DWORD>(WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_RIGHT));
}

TEST_F(EditTest, ReturnAppliesTheTextThenAsksForTheCanonicalOne) {
    Create(kEditLinearDragStyle);
    Send(WM_KEYDOWN, VK_SPACE);
    HWND box = Box();
    ASSERT_NE(box, nullptr);
    SetWindowTextA(box, "7.25");
    parent_.Take();
    SendMessageA(box, WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(OpenInlineEditorWindow(), nullptr);
    EXPECT_EQ(Text(edit_), "7.25");
    const auto log = parent_.Take();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(log[0].wParam, MAKEWPARAM(kId, EN_CHANGE));
    EXPECT_EQ(log[0].lParam, reinterpret_cast<LPARAM>(edit_));
    EXPECT_EQ(log[1].message, QVEN_STEP);
    EXPECT_EQ(log[1].wParam, MAKEWPARAM(kId, 0));
}

TEST_F(EditTest, EscapeFocusLossAndAnotherFieldCancel) {
    Create(kEditLinearDragStyle);
    HWND other = parent_.CreateControl(kEditClassName, 0, 100, 50, kWidth, kHeight, kId + 1, "3");
    auto commands = [&] {
        int count = 0;
        for (const Notification& n : parent_.Take()) count += n.message == WM_COMMAND;
        return count;
    };
    Send(WM_LBUTTONDBLCLK, 0, At(5, 5));
    SetWindowTextA(Box(), "99");
    SendMessageA(Box(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(Text(edit_), "12.5");

    Send(WM_LBUTTONDBLCLK, 0, At(5, 5));
    SetWindowTextA(Box(), "99");
    SetFocus(parent_.Window());
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(OpenInlineEditorWindow(), nullptr);

    Send(WM_LBUTTONDBLCLK, 0, At(5, 5));
    SendMessageA(other, WM_LBUTTONDOWN, 0, At(5, 5));
    SendMessageA(other, WM_LBUTTONUP, 0, At(5, 5));
    EXPECT_EQ(Box(), nullptr);
    EXPECT_EQ(Text(edit_), "12.5");
    EXPECT_EQ(commands(), 0);

    // Opening one box closes the other; CloseInlineEditor closes the last.
    Send(WM_LBUTTONDBLCLK, 0, At(5, 5));
    SendMessageA(other, WM_LBUTTONDBLCLK, 0, At(5, 5));
    EXPECT_EQ(Box(), nullptr);
    HWND second = GetDlgItem(other, kInlineEditorId);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(OpenInlineEditorWindow(), second);
    CloseInlineEditor();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(OpenInlineEditorWindow(), nullptr);
    EXPECT_EQ(commands(), 0);
}

TEST_F(EditTest, SameTextTwiceDoesNotRepaint) {
    Create(kEditLinearDragStyle);
    ValidateRect(edit_, nullptr);
    Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3.0"));
    EXPECT_TRUE(GetUpdateRect(edit_, nullptr, FALSE));
    EXPECT_EQ(Text(edit_), "3.0");
    ValidateRect(edit_, nullptr);
    EXPECT_EQ(Send(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3.0")), 0);
    EXPECT_FALSE(GetUpdateRect(edit_, nullptr, FALSE));
}

TEST_F(EditTest, DrawsFaceShadowedTextAndFocusFrame) {
    Create(kEditLinearDragStyle, "1.0");
    UpdateWindow(edit_);
    InvalidateRect(edit_, nullptr, FALSE);
    UpdateWindow(edit_);
    EXPECT_EQ(WindowPixel(edit_, 1, 1), RGB(220, 220, 220));
    EXPECT_GT(CountPixels(edit_, kWidth, kHeight, 0xCBC7C5), 0);
    ExpectTextAt("1.0", DT_LEFT);
    SetFocus(edit_);
    ExpectPixels(edit_, {{2, 10, RGB(225, 0, 0)}, {37, 10, RGB(200, 0, 0)}, {20, 18, RGB(200, 0, 0)}}, "focused");
    SetFocus(parent_.Window());
    EnableWindow(edit_, FALSE);
    InvalidateRect(edit_, nullptr, FALSE);
    UpdateWindow(edit_);
    EXPECT_EQ(CountPixels(edit_, kWidth, kHeight, kTextColour), 0);
    EXPECT_GT(CountPixels(edit_, kWidth, kHeight, 0x909090), 0);
    // Face 220 at opacity 160 over the background (40, 80, 120).
    EXPECT_EQ(WindowPixel(edit_, 1, 1), RGB(106, 131, 157));
}

TEST_F(EditTest, RightAlignStyleMovesTheText) {
    Create(kEditLinearDragStyle | kEditRightAlignStyle, "1.0");
    InvalidateRect(edit_, nullptr, FALSE);
    UpdateWindow(edit_);
    ExpectTextAt("1.0", DT_RIGHT);
}

}  // namespace
