// qv:StaticText and qv:StaticImage: their clicks and what they draw.
#include <gtest/gtest.h>

#include "SkinProtocol.h"
#include "Controls.h"
#include "StaticImage.h"
#include "StaticText.h"
#include "TextInk.h"

namespace {

constexpr COLORREF kUnpainted = RGB(1, 2, 3);
constexpr int kTestBitmap = 9002;  // 2 x 2: (70,80,90) (100,110,120) over (10,20,30) (40,50,60)

class StaticControlsTest : public ::testing::Test {
protected:
    TestParent parent;
};

TEST_F(StaticControlsTest, TextClickPostsACommandWithItsId) {
    HWND text = parent.CreateControl(kStaticTextClassName, 0x101, 20, 20, 52, 11, 10602, "-Inf    -Inf");
    SendMessageA(text, WM_LBUTTONDOWN, MK_LBUTTON, At(3, 4));
    SendMessageA(text, WM_LBUTTONUP, 0, At(3, 4));
    SendMessageA(text, WM_LBUTTONDBLCLK, MK_LBUTTON, At(3, 4));
    const std::vector<Notification> taken = parent.Take();
    ASSERT_EQ(taken.size(), 2u);
    for (const Notification& n : taken) {
        EXPECT_EQ(n.message, static_cast<UINT>(WM_COMMAND));
        EXPECT_EQ(n.wParam, static_cast<WPARAM>(10602));
        EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(text));
    }
}

TEST_F(StaticControlsTest, TextIsCentredOverTheBackgroundFromTheTop) {
    HWND text = parent.CreateControl(kStaticTextClassName, 0, 20, 20, 100, 30, 1, "");
    Canvas picture(100, 30, kUnpainted);
    PrintInto(text, picture);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 100; ++x) ASSERT_EQ(picture.At(x, y), TestParent::kBackground) << x << "," << y;

    // The stock GUI font, then a larger one given with WM_SETFONT. Where the ink belongs follows
    // from each font's metrics; a vertically centred line would sit (30 - cell height) / 2 lower.
    LOGFONTA large = {};
    large.lfHeight = -18;
    HFONT largeFont = CreateFontIndirectA(&large);
    for (HFONT font : {static_cast<HFONT>(nullptr), largeFont}) {
        SendMessageA(text, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        SetWindowTextA(text, "HHHH");
        PrintInto(text, picture);
        const RECT ink = InkBounds(100, 30, [&](int x, int y) { return picture.At(x, y) != TestParent::kBackground; });
        HGDIOBJ old = SelectObject(picture.Dc(), font ? font : GetStockObject(DEFAULT_GUI_FONT));
        const RECT expected = ExpectedTextInk(picture.Dc(), "HHHH", {0, 0, 100, 30}, DT_CENTER);
        SelectObject(picture.Dc(), old);
        ASSERT_NE(expected.bottom, 0) << "the font has no glyph outlines to measure";
        // The right edge only bounds the ink: Wine draws small sizes of some fonts from their
        // embedded bitmaps, whose glyphs can be narrower than the measured extent.
        EXPECT_NEAR(ink.left, expected.left, 1) << "ink " << ink << ", expected " << expected;
        EXPECT_NEAR(ink.top, expected.top, 1) << "ink " << ink << ", expected " << expected;
        EXPECT_NEAR(ink.bottom, expected.bottom, 1) << "ink " << ink << ", expected " << expected;
        EXPECT_TRUE(InsideWithin(ink, expected, 1)) << "ink " << ink << ", expected " << expected;
        const RECT black = InkBounds(100, 30, [&](int x, int y) { return picture.At(x, y) == RGB(0, 0, 0); });
        EXPECT_NE(black.right, 0) << "the text is not black";
    }
    SendMessageA(text, WM_SETFONT, 0, 0);
    DeleteObject(largeFont);
}

// The control keeps its painted background between paints; moved or resized, it must show
// the part of the picture under its new place.
TEST_F(StaticControlsTest, TextFollowsTheBackgroundWhenMovedOrResized) {
    constexpr COLORREF kRightHalf = RGB(200, 30, 60);  // the picture from x = 200 on
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, parent.Background());
    HBRUSH brush = CreateSolidBrush(kRightHalf);
    const RECT right = {200, 0, 400, 240};
    FillRect(dc, &right, brush);
    DeleteObject(brush);
    SelectObject(dc, old);
    DeleteDC(dc);

    HWND text = parent.CreateControl(kStaticTextClassName, 0, 180, 20, 40, 10, 1, "");
    struct Place {
        int x, width;
    };
    for (const Place& place : {Place{180, 40}, Place{150, 40}, Place{190, 30}, Place{190, 30}, Place{160, 60}}) {
        MoveWindow(text, place.x, 20, place.width, 10, FALSE);
        RedrawWindow(text, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        for (int x = 0; x < place.width; ++x)
            ASSERT_EQ(WindowPixel(text, x, 5), place.x + x < 200 ? TestParent::kBackground : kRightHalf)
                << "at " << place.x << " + " << x << ", " << place.width << " wide";
    }
}

TEST_F(StaticControlsTest, ImageShowsTheTopLeftOfTheChosenBitmap) {
    HWND image = parent.CreateControl(kStaticImageClassName, 0, 20, 20, 2, 2, 77);
    Canvas picture(2, 2, kUnpainted);
    PrintInto(image, picture);
    EXPECT_EQ(picture.At(0, 0), kUnpainted);  // no bitmap yet

    SendMessageA(image, QVIM_SETBITMAP, kTestBitmap, 0);
    PrintInto(image, picture);
    EXPECT_EQ(picture.At(0, 0), RGB(70, 80, 90));
    EXPECT_EQ(picture.At(1, 0), RGB(100, 110, 120));
    EXPECT_EQ(picture.At(0, 1), RGB(10, 20, 30));
    EXPECT_EQ(picture.At(1, 1), RGB(40, 50, 60));

    // None, a missing resource and numbers that are no resource id draw nothing.
    for (int id : {-1, 0, 9999, 70000}) {
        Canvas untouched(2, 2, kUnpainted);
        SendMessageA(image, QVIM_SETBITMAP, static_cast<WPARAM>(id), 0);
        PrintInto(image, untouched);
        EXPECT_EQ(untouched.At(0, 0), kUnpainted) << id;
        EXPECT_EQ(untouched.At(1, 1), kUnpainted) << id;
    }
}

TEST_F(StaticControlsTest, ImageClickPostsItsIdAndThePointer) {
    HWND image = parent.CreateControl(kStaticImageClassName, 0, 20, 20, 40, 20, 78);
    SendMessageA(image, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 7));
    SendMessageA(image, WM_LBUTTONDBLCLK, MK_LBUTTON, At(9, 3));
    const std::vector<Notification> taken = parent.Take();
    ASSERT_EQ(taken.size(), 2u);
    EXPECT_EQ(taken[0].message, QVIN_CLICKED);
    EXPECT_EQ(taken[0].wParam, 78u);
    EXPECT_EQ(taken[0].lParam, At(5, 7));
    EXPECT_EQ(taken[1].message, QVIN_CLICKED);
    EXPECT_EQ(taken[1].lParam, At(9, 3));
}

}  // namespace
