#pragma once
// A skin image: a headerless block of width x height pixels, 4 bytes each (R, G, B, T), rows
// top-down without padding. T is transparency: 0 = opaque image, 255 = background only. The
// size is not stored; an image is always drawn into a rectangle of exactly its size.
#include <windows.h>

using SkinImage = const BYTE*;

// The RCDATA resource `id` of the module, used in place for the module's lifetime; null when
// it cannot be found or loaded.
SkinImage LoadSkinImage(HMODULE module, int id);
