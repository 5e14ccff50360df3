#pragma once
// One instance of every skinned control, placed where the editor places it and showing a
// plausible setting, so the face and the controls can be judged together.
#include <windows.h>

class GallerySkin;

// Creates the controls and the four clip indicators as children of `parent`; returns how
// many of them could not be created (0 when all are there).
int CreateGalleryControls(HWND parent, HINSTANCE module, const GallerySkin& skin);
