#pragma once
// The pictures and the font of the editor page, loaded from the module when the page window
// is made and freed with it. Controls only borrow them.
#include <windows.h>

#include "SkinImage.h"

enum class ClipLed { Off, Held, Lit };

class EditorSkin {
public:
    EditorSkin() = default;
    virtual ~EditorSkin();
    EditorSkin(const EditorSkin&) = delete;
    EditorSkin& operator=(const EditorSkin&) = delete;

    // Loads every picture and the level font; false when the background is missing.
    virtual bool Load(HMODULE module);

    HBITMAP Background() const { return background_; }
    HPALETTE Palette() const { return palette_; }
    HBITMAP FreqOverlay() const { return freqOverlay_; }
    HBITMAP RevTimeOverlay() const { return revTimeOverlay_; }
    HBITMAP Led(ClipLed state) const { return leds_[static_cast<int>(state)]; }
    // Arial 12, or the default GUI font when Arial cannot be made.
    HFONT LevelFont() const { return levelFont_; }
    // RCDATA 120 to 137, used in place in the module.
    SkinImage Image(int rcdataId) const { return LoadSkinImage(module_, rcdataId); }

private:
    HMODULE module_ = nullptr;
    HBITMAP background_ = nullptr;
    HPALETTE palette_ = nullptr;
    HBITMAP freqOverlay_ = nullptr;
    HBITMAP revTimeOverlay_ = nullptr;
    HBITMAP leds_[3] = {};
    HFONT levelFont_ = nullptr;
    bool ownsLevelFont_ = false;
};
