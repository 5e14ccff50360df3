// Meters, level texts and clip indicators over timer ticks, with audio streaming through
// the filter.
#include <gtest/gtest.h>

#include <vector>

#include "EditorHarness.h"
#include "EditorIds.h"
#include "SkinProtocol.h"

namespace {

std::vector<BYTE> Pixels(HBITMAP bitmap) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, 0, nullptr, &info, DIB_RGB_COLORS);
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<BYTE> bits(static_cast<size_t>(info.bmiHeader.biWidth) * abs(info.bmiHeader.biHeight) * 4);
    GetDIBits(dc, bitmap, 0, abs(info.bmiHeader.biHeight), bits.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    return bits;
}

// Which of the three indicator pictures (BITMAP 139, 140, 141) the indicator shows, or 0.
int LedShown(HWND indicator) {
    auto shown = reinterpret_cast<HBITMAP>(SendMessageA(indicator, STM_GETIMAGE, IMAGE_BITMAP, 0));
    if (!shown) return 0;
    const std::vector<BYTE> pixels = Pixels(shown);
    for (int id : {kClipHeldBitmap, kClipOffBitmap, kClipLitBitmap}) {
        HBITMAP candidate = LoadBitmapA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
        const bool same = Pixels(candidate) == pixels;
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
    PushConstant(0.5f, 0.25f);
    Tick();
    EXPECT_EQ(MeterMaximum(Item(kInputMeterLeft)), -60);
    EXPECT_EQ(MeterMaximum(Item(kInputMeterRight)), -120);
    const std::string input = Text(kInputLevelText);
    EXPECT_EQ(input.substr(0, 4), "-6.0");
    EXPECT_EQ(input.substr(input.size() - 5), "-12.0");
    EXPECT_NE(Text(kOutputLevelText).substr(0, 4), "-Inf");

    // Quieter audio: the texts keep the maxima until their reset click.
    PushConstant(0.125f, 0.125f);
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
    PushConstant(1.5f, 0.0f);  // beyond full scale on the left input
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
