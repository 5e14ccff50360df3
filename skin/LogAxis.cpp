#include "LogAxis.h"

#include <cmath>

namespace {

// Far beyond any window but still safe for GDI coordinates and integer arithmetic.
constexpr double kLimit = 1.0e7;

// Truncation toward zero that saturates instead of overflowing (a zero or negative
// value set by a careless parent has no logarithm and must not break the arithmetic).
int TruncSaturated(double v) {
    if (std::isnan(v)) return 0;
    if (v > kLimit) return static_cast<int>(kLimit);
    if (v < -kLimit) return static_cast<int>(-kLimit);
    return static_cast<int>(std::trunc(v));
}

}  // namespace

LogAxis MakeLogAxis(double from, double to) {
    LogAxis axis;
    axis.start = std::log10(from);
    axis.span = std::log10(to) - axis.start;
    return axis;
}

int AxisPixel(const LogAxis& axis, double value, int origin, int pixels) {
    if (!(value > 0.0)) return TruncSaturated(pixels < 0 ? kLimit : -kLimit);
    return TruncSaturated((std::log10(value) - axis.start) * pixels / axis.span + origin);
}

int AxisValue(const LogAxis& axis, int pixel, int origin, int pixels) {
    if (pixels == 0) return 0;
    return TruncSaturated(
        std::pow(10.0, static_cast<double>(pixel - origin) * axis.span / pixels + axis.start));
}
