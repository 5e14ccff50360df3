// qv:Edit and its inline text box driven with real mouse and key messages; the parent
// records the steps and commands posted to it.
#include <gtest/gtest.h>

#include <functional>

#include "InlineEditor.h"
#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kId = 301;
constexpr int kWidth = 40, kHeight = 21;

class EditTest : public ::testing::Test {
protected:
    void Create(DWORD style) {
        edit_ = parent_.CreateControl(kEditClassName, style, 50, 50, kWidth, kHeight, kId, "12.5");
        SendMessageA(edit_, QVEM_SETIMAGE, reinterpret_cast<WPARAM>(face_.data()), 0);
    }
    HWND Box() { return GetDlgItem(edit_, kInlineEditorId); }

    TestParent parent_;
    HWND edit_ = nullptr;
    std::vector<BYTE> face_ = SolidImage(kWidth, kHeight, 220, 220, 220, 0);
};

TEST_F(EditTest, DragsStepByTheirRule) {
    struct Case {
        const char* name;
        DWORD style;
        std::vector<std::vector<POINT>> drags;
        std::vector<int> steps;
    };
    const Case cases[] = {
        // A move steps along the axis whose motion is more than twice the other's (else the last
        // one), also into the next drag; a move to the same place still posts 0.
        {"linear", kEditLinearDragStyle,
         {{{20, 10}, {24, 1}, {29, -1}, {32, -3}, {32, -3}}, {{20, 10}, {21, 13}}, {{20, 10}, {22, 9}}},
         {9, 5, 3, 0, -3, 1}},
        {"squared unless the style says otherwise", 0, {{{20, 10}, {20, 7}, {20, 10}}}, {9, -9}},
        // 200 x 200 = 40000 travels in its low 16 bits.
        {"squared, wrapping", 0, {{{0, 300}, {0, 100}}}, {static_cast<short>(40000)}},
    };
    for (const Case& c : cases) {
        Create(c.style);
        for (const std::vector<POINT>& drag : c.drags) {
            Press(edit_, drag[0].x, drag[0].y);
            for (size_t i = 1; i < drag.size(); ++i) MoveTo(edit_, drag[i].x, drag[i].y);
            Release(edit_, 0, 0);
        }
        EXPECT_EQ(parent_.TakeFrom(edit_, QVEN_STEP), c.steps) << c.name;
        EXPECT_EQ(GetCapture(), nullptr) << c.name;
        DestroyWindow(edit_);
    }
}

TEST_F(EditTest, EscapeFocusLossAndAnotherFieldCancelTheBox) {
    Create(kEditLinearDragStyle);
    HWND other = parent_.CreateControl(kEditClassName, 0, 100, 50, kWidth, kHeight, kId + 1, "3");
    const std::pair<const char*, std::function<void()>> cancels[] = {
        {"Escape", [&] { SendMessageA(Box(), WM_KEYDOWN, VK_ESCAPE, 0); }},
        {"focus elsewhere", [&] { SetFocus(parent_.Window()); }},
        {"another field's box", [&] { SendMessageA(other, WM_LBUTTONDBLCLK, 0, At(5, 5)); }},
    };
    for (const auto& cancel : cancels) {
        SendMessageA(edit_, WM_LBUTTONDBLCLK, 0, At(5, 5));
        SetWindowTextA(Box(), "99");
        cancel.second();
        EXPECT_EQ(Box(), nullptr) << cancel.first;
        char text[16] = "";
        GetWindowTextA(edit_, text, sizeof text);
        EXPECT_STREQ(text, "12.5") << cancel.first;
    }
    // The last left the other field's box open; CloseInlineEditor closes it.
    HWND second = OpenInlineEditorWindow();
    ASSERT_EQ(second, GetDlgItem(other, kInlineEditorId));
    CloseInlineEditor();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(OpenInlineEditorWindow(), nullptr);
    for (const Message& m : parent_.Take()) EXPECT_NE(m.message, static_cast<UINT>(WM_COMMAND));
}

}  // namespace
