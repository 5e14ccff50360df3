#pragma once
#include <windows.h>

#include <string>

// The text of a meter pair's highest levels (tenths of a dB): the two values set apart by
// as many spaces as bring the whole to about 47 pixels in `font`, so that the centred level
// text shows them as a left and a right column.
std::string FormatLevelPair(HFONT font, int left, int right);
