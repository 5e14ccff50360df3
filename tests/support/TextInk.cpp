#include "TextInk.h"

#include <algorithm>
#include <cstring>

namespace {

bool GlyphMetrics(HDC dc, char c, GLYPHMETRICS* metrics) {
    const MAT2 identity = {{0, 1}, {0, 0}, {0, 0}, {0, 1}};
    return GetGlyphOutlineA(dc, static_cast<unsigned char>(c), GGO_METRICS, metrics, 0, nullptr, &identity) !=
           GDI_ERROR;
}

}  // namespace

RECT ExpectedTextInk(HDC dc, const char* text, const RECT& area, UINT align) {
    const int length = static_cast<int>(std::strlen(text));
    TEXTMETRICA font;
    SIZE extent;
    if (length == 0 || !GetTextMetricsA(dc, &font) || !GetTextExtentPoint32A(dc, text, length, &extent))
        return {};
    int x = area.left;
    if (align & DT_CENTER)
        x = (area.left + area.right - extent.cx) / 2;
    else if (align & DT_RIGHT)
        x = area.right - extent.cx;

    GLYPHMETRICS first, last;
    if (!GlyphMetrics(dc, text[0], &first) || !GlyphMetrics(dc, text[length - 1], &last)) return {};
    int highest = -1000, lowest = 1000;  // glyph ink above the baseline (y up)
    for (int i = 0; i < length; ++i) {
        GLYPHMETRICS glyph;
        if (!GlyphMetrics(dc, text[i], &glyph)) return {};
        if (glyph.gmBlackBoxX == 0) continue;  // a blank's box says nothing of ink
        highest = std::max(highest, static_cast<int>(glyph.gmptGlyphOrigin.y));
        lowest = std::min(lowest, static_cast<int>(glyph.gmptGlyphOrigin.y) - static_cast<int>(glyph.gmBlackBoxY));
    }
    if (highest < lowest) return {};
    const int lastRightBearing = last.gmCellIncX - last.gmptGlyphOrigin.x - static_cast<int>(last.gmBlackBoxX);
    return {x + first.gmptGlyphOrigin.x, area.top + font.tmAscent - highest, x + extent.cx - lastRightBearing,
            area.top + font.tmAscent - lowest};
}

RECT InkBounds(int width, int height, const std::function<bool(int x, int y)>& isInk) {
    RECT box = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (!isInk(x, y)) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    }
    return box.right > 0 ? box : RECT{};
}

bool InsideWithin(const RECT& inner, const RECT& outer, int slack) {
    return inner.left >= outer.left - slack && inner.top >= outer.top - slack && inner.right <= outer.right + slack &&
           inner.bottom <= outer.bottom + slack;
}

std::ostream& operator<<(std::ostream& out, const RECT& box) {
    return out << "(" << box.left << ", " << box.top << ")-(" << box.right << ", " << box.bottom << ")";
}
