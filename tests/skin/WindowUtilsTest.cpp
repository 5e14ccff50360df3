// Centring a dialog over its owner and enabling an item with an immediate repaint.
#include <gtest/gtest.h>

#include "SkinProtocol.h"
#include "Controls.h"
#include "WindowUtils.h"

namespace {

// The window rectangle of an unshown popup owned by the test parent, after centring.
RECT CentredPopup(HWND owner, int width, int height) {
    HWND popup = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, width, height, owner, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    CenterWindowOnParent(popup);
    RECT placed;
    GetWindowRect(popup, &placed);
    DestroyWindow(popup);
    return placed;
}

TEST(WindowUtils, CentresOnTheOwnerKeepingTheSize) {
    TestParent parent;  // (100, 100), 400 x 240
    RECT r = CentredPopup(parent.Window(), 101, 51);
    EXPECT_EQ(r.left, 100 + (400 - 101) / 2);
    EXPECT_EQ(r.top, 100 + (240 - 51) / 2);
    EXPECT_EQ(r.right - r.left, 101);
    EXPECT_EQ(r.bottom - r.top, 51);
    // Larger than the owner: the halves truncate toward zero (-101 / 2 = -50).
    r = CentredPopup(parent.Window(), 501, 341);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 50);
}

TEST(WindowUtils, EnableDlgItemRedrawRepaintsAtOnce) {
    TestParent parent;
    HWND slider = parent.CreateControl(kSliderClassName, 0, 20, 30, 154, 20, 5);
    SendMessageA(slider, QVSM_SETRANGE, 0, 100);
    UpdateWindow(slider);
    EXPECT_EQ(WindowPixel(slider, 60, 6), 0x202020u);
    EnableDlgItemRedraw(parent.Window(), 5, FALSE);
    EXPECT_FALSE(IsWindowEnabled(slider));
    EXPECT_FALSE(GetUpdateRect(slider, nullptr, FALSE));
    EXPECT_EQ(WindowPixel(slider, 60, 6), 0xA0A0A0u);
    EnableDlgItemRedraw(parent.Window(), 5, TRUE);
    EXPECT_TRUE(IsWindowEnabled(slider));
    EXPECT_EQ(WindowPixel(slider, 60, 6), 0x202020u);
}

}  // namespace
