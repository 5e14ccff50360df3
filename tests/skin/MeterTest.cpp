// qv:Meter as the editor uses it: 12 x 144 pixels, range -300 to 0, an opaque blue face and
// an opaque red bar, so that every lit row reads back red.
#include <gtest/gtest.h>

#include <map>

#include "Meter.h"
#include "SkinProtocol.h"
#include "Controls.h"

namespace {

constexpr int kWidth = 12;
constexpr int kHeight = 144;
constexpr COLORREF kFace = RGB(0, 0, 255);
constexpr COLORREF kBar = RGB(255, 0, 0);
constexpr int kSilent = -9999;

class MeterTest : public ::testing::Test {
protected:
    HWND Create(DWORD style) {
        HWND meter = parent.CreateControl(kMeterClassName, style, 30, 30, kWidth, kHeight, 10600);
        EXPECT_NE(meter, nullptr);
        SendMessageA(meter, QVMM_SETIMAGES, reinterpret_cast<WPARAM>(face.data()),
                     reinterpret_cast<LPARAM>(bar.data()));
        SendMessageA(meter, QVMM_SETRANGE, static_cast<WPARAM>(-300), 0);
        return meter;
    }

    // The rows whose middle pixel shows the bar.
    static std::vector<int> LitRows(HWND meter) {
        Canvas picture(kWidth, kHeight, RGB(1, 2, 3));
        PrintInto(meter, picture);
        std::vector<int> rows;
        for (int y = 0; y < kHeight; ++y) {
            const COLORREF pixel = picture.At(kWidth / 2, y);
            EXPECT_TRUE(pixel == kBar || pixel == kFace) << y;
            if (pixel == kBar) rows.push_back(y);
        }
        return rows;
    }

    static std::vector<int> Rows(int first, int last) {
        std::vector<int> rows;
        for (int y = first; y <= last; ++y) rows.push_back(y);
        return rows;
    }

    static int Peak1(HWND meter) {
        int peak = 12345;
        EXPECT_EQ(SendMessageA(meter, QVMM_GETPEAKS, reinterpret_cast<WPARAM>(&peak), 0), 0);
        return peak;
    }

    static void SetLevels(HWND meter, int a, int b) {
        SendMessageA(meter, QVMM_SETLEVELS, static_cast<WPARAM>(a), static_cast<LPARAM>(b));
    }

    TestParent parent;
    std::vector<BYTE> face = SolidImage(kWidth, kHeight, 0, 0, 255, 0);
    std::vector<BYTE> bar = SolidImage(kWidth, kHeight, 255, 0, 0, 0);
};

TEST_F(MeterTest, LevelsLightTheRowsFromTheLevelDown) {
    HWND meter = Create(kMeterVerticalStyle);
    // Level and the first lit row (down to 141); above the top lights the whole bar, and
    // without ballistics the bar follows at once.
    const std::pair<int, int> cases[] = {{-150, 72}, {0, 2}, {-300, 142}, {50, 2}, {-20, 11}};
    for (const auto& c : cases) {
        SetLevels(meter, c.first, 0);
        EXPECT_EQ(LitRows(meter), Rows(c.second, 141)) << c.first;
    }
}

TEST_F(MeterTest, BallisticsFallLinearlyAndHoldThePeak) {
    HWND meter = Create(kMeterVerticalStyle | kMeterBallisticsStyle);
    SetLevels(meter, 0, 0);
    EXPECT_EQ(Peak1(meter), 0);
    EXPECT_EQ(LitRows(meter), Rows(2, 141));

    const std::vector<int> peakLine = {2, 3};
    const auto withPeakLine = [&](std::vector<int> rows) {
        rows.insert(rows.begin(), peakLine.begin(), peakLine.end());
        return rows;
    };
    // Falling 20 per update: -20, -40, ..., -280, then the input's -300 holds the level.
    const std::map<int, std::vector<int>> barAfter = {
        {1, withPeakLine(Rows(11, 141))},    // -20
        {2, withPeakLine(Rows(21, 141))},    // -40
        {7, withPeakLine(Rows(67, 141))},    // -140
        {14, withPeakLine(Rows(133, 141))},  // -280
        {15, peakLine},                      // -300
        {30, peakLine},
    };
    for (int update = 1; update <= 30; ++update) {
        SetLevels(meter, -300, -300);
        EXPECT_EQ(Peak1(meter), 0) << update;  // held for 30 updates
        const auto expected = barAfter.find(update);
        if (expected != barAfter.end()) {
            EXPECT_EQ(LitRows(meter), expected->second) << update;
        }
    }
    SetLevels(meter, -300, -300);
    EXPECT_EQ(Peak1(meter), -30);
    EXPECT_EQ(LitRows(meter), (std::vector<int>{16, 17}));  // peak -30 at row 14 + 2
    SetLevels(meter, -300, -300);
    EXPECT_EQ(Peak1(meter), -60);

    // A new level above the falling peak rises at once and is held again.
    SetLevels(meter, -150, -300);  // below the peak, which keeps falling
    EXPECT_EQ(Peak1(meter), -90);
    SetLevels(meter, -30, -300);
    EXPECT_EQ(Peak1(meter), -30);
    EXPECT_EQ(LitRows(meter), Rows(16, 141));
}

TEST_F(MeterTest, MaximaAndPeaksAreKeptPerChannel) {
    HWND meter = Create(kMeterVerticalStyle | kMeterBallisticsStyle);
    const auto pair = [&](UINT message) {
        int one = 1, two = 1;
        SendMessageA(meter, message, reinterpret_cast<WPARAM>(&one), reinterpret_cast<LPARAM>(&two));
        return std::make_pair(one, two);
    };
    EXPECT_EQ(pair(QVMM_GETMAX), std::make_pair(kSilent, kSilent));
    SetLevels(meter, -120, -60);
    SetLevels(meter, -200, -10);
    SetLevels(meter, -250, -90);
    EXPECT_EQ(pair(QVMM_GETMAX), std::make_pair(-120, -10));
    EXPECT_EQ(pair(QVMM_GETPEAKS), std::make_pair(-120, -10));
    // Either pointer may be none.
    int one = 1;
    SendMessageA(meter, QVMM_GETMAX, reinterpret_cast<WPARAM>(&one), 0);
    EXPECT_EQ(one, -120);
    SendMessageA(meter, QVMM_GETMAX, 0, reinterpret_cast<LPARAM>(&one));
    EXPECT_EQ(one, -10);
    SendMessageA(meter, QVMM_RESETMAX, 0, 0);
    EXPECT_EQ(pair(QVMM_GETMAX), std::make_pair(kSilent, kSilent));
    EXPECT_TRUE(parent.Take().empty());  // a meter sends nothing
}

TEST_F(MeterTest, DecayAndRangeAreTheParentsChoice) {
    HWND meter = Create(kMeterVerticalStyle | kMeterBallisticsStyle);
    SendMessageA(meter, QVMM_SETDECAY, 60, 0);
    SetLevels(meter, 0, 0);
    SetLevels(meter, -300, 0);  // falls to -60: 112 of 140 rows, the peak line stays at 0
    std::vector<int> expected = Rows(30, 141);
    expected.insert(expected.begin(), {2, 3});
    EXPECT_EQ(LitRows(meter), expected);

    SendMessageA(meter, QVMM_SETDECAY, 0, 0);
    SendMessageA(meter, QVMM_SETRANGE, static_cast<WPARAM>(-600), 0);
    SetLevels(meter, -300, 0);  // stays at -60, now 126 of 140 rows
    expected = Rows(16, 141);
    expected.insert(expected.begin(), {2, 3});
    EXPECT_EQ(LitRows(meter), expected);
    // An empty range is a parent's mistake: all or nothing is lit, and nothing breaks.
    SendMessageA(meter, QVMM_SETRANGE, 0, 0);
    SetLevels(meter, -300, 0);
    EXPECT_TRUE(LitRows(meter).empty());
    SetLevels(meter, 10, 0);
    EXPECT_EQ(LitRows(meter), Rows(2, 141));
}

TEST_F(MeterTest, HorizontalBarGrowsToTheRight) {
    HWND meter = parent.CreateControl(kMeterClassName, 0, 30, 30, kHeight, kWidth, 10601);
    SendMessageA(meter, QVMM_SETIMAGES, reinterpret_cast<WPARAM>(face.data()),
                 reinterpret_cast<LPARAM>(bar.data()));
    SendMessageA(meter, QVMM_SETRANGE, static_cast<WPARAM>(-300), 0);
    SetLevels(meter, -150, 0);
    Canvas picture(kHeight, kWidth, RGB(1, 2, 3));
    PrintInto(meter, picture);
    for (int x = 0; x < kHeight; ++x) EXPECT_EQ(picture.At(x, 6), x >= 2 && x < 72 ? kBar : kFace) << x;
}

}  // namespace
