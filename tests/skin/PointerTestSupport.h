// Mouse and pointer helpers for the tests of the displays, meters and static controls,
// on top of the shared test parent.
#pragma once

#include <windows.h>

#include "SkinTestSupport.h"

// Mouse messages with a client position, sent the way a real mouse delivers them.
void Press(HWND control, int x, int y);
void MoveTo(HWND control, int x, int y);
void Release(HWND control, int x, int y);
// The full sequence of a double-click: down, up, double-click, up.
void DoubleClick(HWND control, int x, int y);
// Double-clicks at (x, y) and returns the part that the control's `notification` reported
// (its lParam; the wParam must be the control's id), or -99 when nothing was reported.
int DoubleClickReport(TestParent& parent, HWND control, UINT notification, int x, int y);

// Puts the pointer over client point (x, y) and lets the control choose its shape; returns
// the cursor it set. Retries when another program moved the pointer in between.
HCURSOR PointAt(HWND control, int x, int y);

// The test module's cursor `id`, or the system shape `fallback` when the module has none.
HCURSOR ExpectedCursor(int id, LPCTSTR fallback);

// Draws the control's client area into `canvas` through WM_PRINTCLIENT.
void PrintInto(HWND control, Canvas& canvas);
