#include "EditorSkin.h"

#include <initializer_list>

#include "EditorIds.h"
#include "SkinBitmap.h"

EditorSkin::~EditorSkin() {
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(background_), static_cast<HGDIOBJ>(palette_),
                           static_cast<HGDIOBJ>(freqOverlay_), static_cast<HGDIOBJ>(revTimeOverlay_),
                           static_cast<HGDIOBJ>(leds_[0]), static_cast<HGDIOBJ>(leds_[1]),
                           static_cast<HGDIOBJ>(leds_[2])})
        if (object) DeleteObject(object);
    if (ownsLevelFont_) DeleteObject(levelFont_);
}

bool EditorSkin::Load(HMODULE module) {
    module_ = module;
    background_ = LoadSkinBitmap(module, MAKEINTRESOURCEA(kBackgroundBitmap), &palette_);
    revTimeOverlay_ = LoadBitmapA(module, MAKEINTRESOURCEA(kRevTimeOverlayBitmap));
    freqOverlay_ = LoadBitmapA(module, MAKEINTRESOURCEA(kFreqOverlayBitmap));
    leds_[static_cast<int>(ClipLed::Off)] = LoadBitmapA(module, MAKEINTRESOURCEA(kClipOffBitmap));
    leds_[static_cast<int>(ClipLed::Held)] = LoadBitmapA(module, MAKEINTRESOURCEA(kClipHeldBitmap));
    leds_[static_cast<int>(ClipLed::Lit)] = LoadBitmapA(module, MAKEINTRESOURCEA(kClipLitBitmap));
    LOGFONTA font{};
    font.lfHeight = 12;
    font.lfWeight = FW_NORMAL;
    lstrcpyA(font.lfFaceName, "Arial");
    levelFont_ = CreateFontIndirectA(&font);
    ownsLevelFont_ = levelFont_ != nullptr;
    if (!levelFont_) levelFont_ = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return background_ != nullptr;
}
