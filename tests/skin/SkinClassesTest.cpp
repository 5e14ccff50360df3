// RegisterSkinClasses: all eight classes with their own procedures and one shared description.
#include <gtest/gtest.h>

#include "Edit.h"
#include "FreqDisplay.h"
#include "Meter.h"
#include "PushButton.h"
#include "RevTime.h"
#include "SkinClasses.h"
#include "SkinProtocol.h"
#include "Slider.h"
#include "StaticImage.h"
#include "StaticText.h"

namespace {

TEST(SkinClassesTest, RegistersAllEightClassesAndToleratesASecondCall) {
    const struct {
        const char* name;
        WNDPROC procedure;
    } classes[] = {
        {kPushButtonClassName, PushButtonProc},
        {kSliderClassName, SliderProc},
        {kEditClassName, EditProc},
        {kStaticTextClassName, StaticTextProc},
        {kStaticImageClassName, StaticImageProc},
        {kFreqDisplayClassName, FreqDisplayProc},
        {kRevTimeClassName, RevTimeProc},
        {kMeterClassName, MeterProc},
    };
    HINSTANCE module = GetModuleHandleA(nullptr);
    WNDCLASSEXA info = {};
    info.cbSize = sizeof info;
    ASSERT_FALSE(GetClassInfoExA(module, kMeterClassName, &info));

    for (int round = 0; round < 2; ++round) {
        RegisterSkinClasses(module);
        for (const auto& c : classes) {
            info = {};
            info.cbSize = sizeof info;
            ASSERT_TRUE(GetClassInfoExA(module, c.name, &info)) << c.name;
            EXPECT_EQ(info.lpfnWndProc, c.procedure) << c.name;
            EXPECT_EQ(info.style, static_cast<UINT>(CS_DBLCLKS | CS_PARENTDC)) << c.name;
            EXPECT_EQ(info.cbClsExtra, 0) << c.name;
            EXPECT_EQ(info.cbWndExtra, static_cast<int>(sizeof(LONG_PTR))) << c.name;
            EXPECT_EQ(info.hInstance, module) << c.name;
            EXPECT_EQ(info.hIcon, nullptr) << c.name;
            EXPECT_EQ(info.hCursor, LoadCursor(nullptr, IDC_ARROW)) << c.name;
            EXPECT_EQ(info.hbrBackground, reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1)))
                << c.name;
            EXPECT_EQ(info.lpszMenuName, nullptr) << c.name;
        }
    }
}

}  // namespace
