// Drawing a skinned control either to its window at once or into a caller's DC
// (WM_PRINTCLIENT), so that a control's picture can also be taken without a screen.
#pragma once

#include <windows.h>

#include "ControlPaint.h"

// With a null `target` paints the window at once (PaintControl); otherwise draws the
// background under the control and the content straight into `target` at client coordinates.
void RenderControl(HWND window, HBITMAP background, ControlContent& content, HDC target);
