// qv:Edit and its inline text box driven with real mouse, wheel and key messages; the parent
// records the steps and commands posted to it.
#include <gtest/gtest.h>

#include "InlineEditor.h"
#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kId = 301;
constexpr int kWidth = 40, kHeight = 21;

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
        for (const Message& n : parent_.Take()) {
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

TEST_F(EditTest, EscapeFocusLossAndAnotherFieldCancel) {
    Create(kEditLinearDragStyle);
    HWND other = parent_.CreateControl(kEditClassName, 0, 100, 50, kWidth, kHeight, kId + 1, "3");
    auto commands = [&] {
        int count = 0;
        for (const Message& n : parent_.Take()) count += n.message == WM_COMMAND;
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

}  // namespace
