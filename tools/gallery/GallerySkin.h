#pragma once
// The pictures the gallery hands to its controls, loaded from its own module the way the
// editor loads them from the filter's, and freed again when the window goes.
#include <windows.h>

#include "SkinImage.h"

class GallerySkin {
 public:
  GallerySkin() = default;
  GallerySkin(const GallerySkin&) = delete;
  GallerySkin& operator=(const GallerySkin&) = delete;
  virtual ~GallerySkin();

  // Loads every picture; false when the face itself is missing.
  virtual bool Load(HMODULE module);
  HBITMAP Face() const { return face_; }
  HBITMAP FreqOverlay() const { return freqOverlay_; }
  HBITMAP RevTimeOverlay() const { return revTimeOverlay_; }
  HBITMAP ClipIndicator(int bitmapId) const;  // 139, 140 or 141
  SkinImage Image(int rcdataId) const;        // 120 to 137
  HFONT LevelFont() const { return levelFont_; }

 private:
  HMODULE module_ = nullptr;
  HBITMAP face_ = nullptr;
  HPALETTE palette_ = nullptr;
  HBITMAP freqOverlay_ = nullptr;
  HBITMAP revTimeOverlay_ = nullptr;
  HBITMAP clip_[3] = {};
  HFONT levelFont_ = nullptr;
};
