#include "GallerySkin.h"

#include <initializer_list>

#include "SkinBitmap.h"

namespace {
constexpr int kFirstClipBitmap = 139;
}

GallerySkin::~GallerySkin() {
  for (HGDIOBJ object : {static_cast<HGDIOBJ>(face_), static_cast<HGDIOBJ>(palette_),
                         static_cast<HGDIOBJ>(freqOverlay_), static_cast<HGDIOBJ>(revTimeOverlay_),
                         static_cast<HGDIOBJ>(clip_[0]), static_cast<HGDIOBJ>(clip_[1]),
                         static_cast<HGDIOBJ>(clip_[2]), static_cast<HGDIOBJ>(levelFont_)})
    if (object) DeleteObject(object);
}

bool GallerySkin::Load(HMODULE module) {
  module_ = module;
  face_ = LoadSkinBitmap(module, MAKEINTRESOURCEA(103), &palette_);
  revTimeOverlay_ = LoadBitmapA(module, MAKEINTRESOURCEA(130));
  freqOverlay_ = LoadBitmapA(module, MAKEINTRESOURCEA(131));
  for (int i = 0; i < 3; ++i) clip_[i] = LoadBitmapA(module, MAKEINTRESOURCEA(kFirstClipBitmap + i));
  // The level texts use the editor's font: Arial of height 12.
  LOGFONTA font{};
  font.lfHeight = 12;
  font.lfWeight = FW_NORMAL;
  lstrcpyA(font.lfFaceName, "Arial");
  levelFont_ = CreateFontIndirectA(&font);
  return face_ != nullptr;
}

HBITMAP GallerySkin::ClipIndicator(int bitmapId) const {
  const int index = bitmapId - kFirstClipBitmap;
  return index >= 0 && index < 3 ? clip_[index] : nullptr;
}

SkinImage GallerySkin::Image(int rcdataId) const { return LoadSkinImage(module_, rcdataId); }
