// Meters, level texts and clip indicators over timer ticks, with audio streaming through
// the filter.
#include <gtest/gtest.h>

#include "Controls.h"
#include "EditorHarness.h"
#include "SkinProtocol.h"

namespace {

// The colour of the picture's centre pixel.
COLORREF Centre(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return BitmapPixel(bitmap, info.bmWidth / 2, info.bmHeight / 2);
}

// Which of the three indicator pictures the indicator shows, told by their centres, or 0.
int LedShown(HWND indicator) {
    const COLORREF shown = Centre(reinterpret_cast<HBITMAP>(SendMessageA(indicator, STM_GETIMAGE, IMAGE_BITMAP, 0)));
    for (int id : {kClipHeldBitmap, kClipOffBitmap, kClipLitBitmap}) {
        HBITMAP candidate = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        const bool same = Centre(candidate) == shown;
        DeleteObject(candidate);
        if (same) return id;
    }
    return 0;
}

int MeterMaximum(HWND meter) {
    int maximum = 0;
    SendMessageA(meter, QVMM_GETMAX, reinterpret_cast<WPARAM>(&maximum), 0);
    return maximum;
}

}  // namespace

TEST_F(EditorTest, MetersFollowTheStreamAndTheTextsKeepTheHighestLevels) {
    EXPECT_EQ(Text(kInputLevelText).substr(0, 4), "-Inf");
    StartStreaming();
    ASSERT_EQ(S_OK, Push(0.5f, 0.25f, 1024));
    Tick();
    EXPECT_EQ(MeterMaximum(Item(kInputMeterLeft)), -60);
    EXPECT_EQ(MeterMaximum(Item(kInputMeterRight)), -120);
    const std::string input = Text(kInputLevelText);
    EXPECT_EQ(input.substr(0, 4), "-6.0");
    EXPECT_EQ(input.substr(input.size() - 5), "-12.0");
    EXPECT_NE(Text(kOutputLevelText).substr(0, 4), "-Inf");

    // Quieter audio: the texts keep the maxima until their reset click.
    ASSERT_EQ(S_OK, Push(0.125f, 0.125f, 1024));
    Tick();
    EXPECT_EQ(Text(kInputLevelText), input);
    const std::string output = Text(kOutputLevelText);
    Click(kInputLevelText);
    EXPECT_EQ(Text(kInputLevelText).substr(0, 5), "-18.0");
    EXPECT_EQ(Text(kOutputLevelText), output);
}

TEST_F(EditorTest, AnOverloadLightsTheIndicatorForTwoTicksThenHoldsItUntilClicked) {
    StartStreaming();
    for (int id : {kInputClipLeft, kInputClipRight, kOutputClipLeft}) EXPECT_EQ(LedShown(Item(id)), kClipOffBitmap);
    ASSERT_EQ(S_OK, Push(1.5f, 0.0f, 1024));  // beyond full scale on the left input
    const int expected[] = {kClipLitBitmap, kClipLitBitmap, kClipHeldBitmap, kClipHeldBitmap};
    for (int tick = 0; tick < 4; ++tick) {
        Tick();
        EXPECT_EQ(LedShown(Item(kInputClipLeft)), expected[tick]) << tick;
        EXPECT_EQ(LedShown(Item(kInputClipRight)), kClipOffBitmap) << tick;
    }
    // The output overloaded too (1.5 passes dry at 0 dB); clicking the right input
    // indicator clears both input indicators and leaves the output ones alone.
    EXPECT_EQ(LedShown(Item(kOutputClipLeft)), kClipHeldBitmap);
    Click(kInputClipRight);
    Tick();
    EXPECT_EQ(LedShown(Item(kInputClipLeft)), kClipOffBitmap);
    EXPECT_EQ(LedShown(Item(kOutputClipLeft)), kClipHeldBitmap);
    EXPECT_EQ(filter.control->GetClipHoldLeft(0), 0);
}
