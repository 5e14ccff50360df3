#include "ControlFont.h"

HFONT CreateControlFont(HDC dc) {
    if (GetDeviceCaps(dc, LOGPIXELSY) == 96) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    LOGFONTA font = {};
    font.lfHeight = 14;
    font.lfWeight = 400;
    lstrcpyA(font.lfFaceName, "Arial");
    return CreateFontIndirectA(&font);
}

void DeleteControlFont(HFONT font) {
    if (font && font != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(font);
}
