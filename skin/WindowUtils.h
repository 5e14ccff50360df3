#pragma once
// Small window helpers for the editor and the preset dialogs.
#include <windows.h>

// Moves `window` to the top, keeping its size, centred on its parent's window rectangle.
void CenterWindowOnParent(HWND window);

// Enables or disables a dialog item and repaints it at once (controls read their enabled
// state only when they paint).
void EnableDlgItemRedraw(HWND dialog, int id, BOOL enable);
