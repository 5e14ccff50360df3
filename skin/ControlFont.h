#pragma once
// The font of button labels, field texts and the inline text box.
#include <windows.h>

// The stock GUI font when `dc` has 96 pixels per logical inch, else a new Arial font 14 pixels
// high, so text keeps its pixel size on large-font displays. Release with DeleteControlFont.
HFONT CreateControlFont(HDC dc);
// Deletes a font from CreateControlFont unless it is the stock one.
void DeleteControlFont(HFONT font);
