// The wheel response from the wheel message's time: no waiting between notches.
#include <gtest/gtest.h>

#include "WheelStep.h"

namespace {

TEST(WheelStep, NotchesSquaredWithTheirSignAndAcceleratedBySpeed) {
    struct Case {
        int delta, elapsed;
        long long expected;
    };
    const Case cases[] = {
        {120, 600, 1},     {120, 501, 1},  {120, 500, 1},      {120, 250, 2},    {120, 249, 2},
        {120, 200, 2},     {120, 166, 3},  {120, 50, 10},      {120, 1, 500},    {120, 0, 500},
        {120, -5, 500},    {240, 600, 4},  {240, 200, 8},      {-360, 600, -9},  {-360, 100, -45},
        {60, 600, 1},      {-60, 600, -1}, {-119, 600, -1},    {-121, 600, -1},  {359, 600, 4},
    };
    for (const Case& c : cases) {
        const int before = 1000000;
        int last = before;
        EXPECT_EQ(AcceleratedWheelDelta(c.delta, before + c.elapsed, last), c.expected)
            << c.delta << " after " << c.elapsed << " ms";
        EXPECT_EQ(last, before + c.elapsed) << "the notch's time is kept for the next one";
    }
}

}  // namespace
