#pragma once
// The wheel response shared by sliders and fields: notches squared with their sign, and
// accelerated by how soon the notch follows the previous one.
#include <windows.h>

// |steps| x steps x acceleration for a wheel delta (120 per notch; less counts as one notch);
// acceleration = 500 / ms since `lastWheelTime`, at least 1. Updates `lastWheelTime` to `now`.
long long AcceleratedWheelDelta(int wheelDelta, int now, int& lastWheelTime);
