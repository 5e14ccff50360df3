// A logarithmic axis mapped onto a run of pixels, shared by the frequency and the
// reverb-time displays. Upward axes use a negative pixel count from the bottom edge.
#pragma once

struct LogAxis {
    double start;  // log10 of the value at the axis origin
    double span;   // log10 of the value at the axis end, minus start
};

// An axis running from value `from` to value `to` (both positive).
LogAxis MakeLogAxis(double from, double to);

// Pixel of `value` on an area starting at pixel `origin` that is `pixels` wide,
// truncated toward zero. Values without a logarithm land far outside any window.
int AxisPixel(const LogAxis& axis, double value, int origin, int pixels);

// Value at `pixel` on the same area, truncated toward zero (the inverse mapping).
int AxisValue(const LogAxis& axis, int pixel, int origin, int pixels);

// Limits a value read off an axis to [lo, hi]; unlike std::clamp it stays defined when a
// parent sets the limits the wrong way round (then lo wins).
inline int ClampToLimits(int value, int lo, int hi) {
    return value < lo ? lo : (value > hi ? hi : value);
}
