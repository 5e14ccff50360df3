#pragma once
// Where drawn text leaves ink: expected from the font's own metrics, found from the pixels.
// Text tests compare the two, so that they hold for whichever font Wine finds for a face on
// the machine at hand (the stock GUI font has no fixed face or size across installations).
#include <windows.h>

#include <functional>
#include <ostream>

// The box (right and bottom exclusive) that DrawText without DT_SINGLELINE inks for one line of
// `text` in `area`, with the font selected into `dc` and DT_LEFT, DT_CENTER or DT_RIGHT in
// `align`: the line's cell starts at the area's top edge; the ink follows from the extent, the
// outer glyphs' side bearings and the highest and lowest glyph ink. Empty (all zero) when the
// font has no glyph outlines to measure.
RECT ExpectedTextInk(HDC dc, const char* text, const RECT& area, UINT align);

// The smallest box (right and bottom exclusive) around the points of a width x height area for
// which `isInk` holds; empty (all zero) when there is none.
RECT InkBounds(int width, int height, const std::function<bool(int x, int y)>& isInk);

// Whether `inner` lies inside `outer` grown by `slack` pixels on every side.
bool InsideWithin(const RECT& inner, const RECT& outer, int slack);

std::ostream& operator<<(std::ostream& out, const RECT& box);
