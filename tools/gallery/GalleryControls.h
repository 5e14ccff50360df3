#pragma once
// The editor's controls, made by the editor's own layout code, showing a plausible setting,
// so the face and the controls can be judged together.
#include <windows.h>

class EditorSkin;

// Creates the four clip indicators (the page has them from its dialog template) and the
// editor's controls as children of `parent`, then puts the showcase setting on them.
// Returns how many controls could not be created (0 when all are there).
int CreateGalleryControls(HWND parent, HINSTANCE module, const EditorSkin& skin);
