#pragma once
// Compositing of skin images over what a DC already shows. Each call works on a private
// 32-bit copy of the target rectangle and writes it back; nothing is drawn for a width or
// height below 1.
#include <windows.h>

#include "SkinImage.h"
#include "SkinProtocol.h"

// Lit-area modes of BlendSkinImage.
inline constexpr int kBlendLightAll = 0;        // every pixel lit
inline constexpr int kBlendLightNarrow = 2;     // unlit border 1 left/top, 3 right/bottom
                                                // any other mode: unlit border of 2

// Blends `image` (width x height) over the rectangle at (x, y). Opacity 255 uses the image's
// transparency as is; lower opacities fade the image. A non-zero tint lights the area that
// `mode` selects.
void BlendSkinImage(HDC dc, int x, int y, int width, int height, SkinImage image, int opacity,
                    Tint tint, int mode);

// Blends the width x height band of `image` (rows of `width` pixels) starting at pixel
// (srcX, srcY) over the rectangle at (x, y), without tint.
void BlendSkinImageRegion(HDC dc, int x, int y, int width, int height, int srcX, int srcY,
                          SkinImage image, int opacity);
