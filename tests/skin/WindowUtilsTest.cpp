// Enabling an item with an immediate repaint. (Centring is seen in the Preset Manager's test.)
#include <gtest/gtest.h>

#include "SkinProtocol.h"
#include "Controls.h"
#include "WindowUtils.h"

namespace {

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
