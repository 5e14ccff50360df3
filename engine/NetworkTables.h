#pragma once
#include <cstdint>

// The fixed geometry of the plate network at full room size. Network lengths and output
// tap offsets are in units of 1/20000 s, early-reflection delays in units of 1/29400 s.
namespace network {

constexpr int kLineCount = 12;
constexpr int kOutputTaps = 7;
constexpr int kEarlyTapsLeft = 7;
constexpr int kEarlyTapsRight = 8;

// Lines 0-3 are the input diffusers; 4-7 tank half A (allpass, delay, allpass, delay);
// 8-11 tank half B in the same order.
constexpr int32_t kNominalLength[kLineCount] = {142, 107, 379, 277, 672, 4453,
                                                1800, 3720, 908, 4217, 2656, 3163};

struct OutputTap {
    int line;
    int32_t offset;
};

// In the order in which the late sums add them.
constexpr OutputTap kOutputLeft[kOutputTaps] = {{9, 266},  {9, 2974}, {10, 1913}, {11, 2496},
                                                {5, 1690}, {6, 187},  {7, 1566}};
constexpr OutputTap kOutputRight[kOutputTaps] = {{5, 353},  {5, 3627}, {6, 1728}, {7, 3173},
                                                 {9, 1811}, {10, 335}, {11, 621}};

constexpr int32_t kEarlyLeft[kEarlyTapsLeft] = {1102, 2904, 3784, 4873, 5878, 7470, 9062};
constexpr int32_t kEarlyRight[kEarlyTapsRight] = {837, 1423, 2865, 3938, 5278, 5978, 7532, 9263};

}  // namespace network
