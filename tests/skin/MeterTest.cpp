// qv:Meter's lit bar over its face. Every pixel of the bar image differs, so a band read or
// drawn a pixel off shows.
#include <gtest/gtest.h>

#include "Controls.h"
#include "Meter.h"
#include "SkinProtocol.h"

namespace {

// Level 50 of 0..100 lights 10 of the 20 pixels between the margins of 2: a vertical bar
// rows 12 to 21, a horizontal one columns 2 to 11.
TEST(Meter, LightsTheBarFromItsStartToTheLevel) {
    constexpr int kSize = 24;
    std::vector<BYTE> bar;
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) bar.insert(bar.end(), {BYTE(10 * x), BYTE(10 * y), 200, 0});
    const std::vector<BYTE> face = SolidImage(kSize, kSize, 0, 0, 0, 0);
    const COLORREF kFace = RGB(0, 0, 0);
    struct Case {
        const char* name;
        DWORD style;
        std::vector<Spot> pixels;
    };
    const Case cases[] = {
        {"vertical", kMeterVerticalStyle,
         {{5, 11, kFace}, {5, 12, RGB(50, 120, 200)}, {5, 21, RGB(50, 210, 200)}, {5, 22, kFace}}},
        {"horizontal", 0, {{1, 5, kFace}, {2, 5, RGB(20, 50, 200)}, {11, 5, RGB(110, 50, 200)}, {12, 5, kFace}}},
    };
    TestParent parent;
    for (const Case& c : cases) {
        HWND meter = parent.CreateControl(kMeterClassName, c.style, 10, 10, kSize, kSize, 401);
        SendMessageA(meter, QVMM_SETIMAGES, reinterpret_cast<WPARAM>(face.data()),
                     reinterpret_cast<LPARAM>(bar.data()));
        SendMessageA(meter, QVMM_SETLEVELS, 50, 50);
        ExpectPixels(meter, c.pixels, c.name);
        DestroyWindow(meter);
    }
}

}  // namespace
