// Pointer shapes of the two displays. They are cursor resources of the module that
// registered the control's class; a module without them gets a close system shape.
#pragma once

#include <windows.h>

enum SkinCursorId {
    kCursorOpenHand = 117,    // over a band that can be dragged
    kCursorClosedHand = 118,  // while a band is grabbed
    kCursorLeftRight = 257,   // over an edge that moves sideways
    kCursorUpDown = 258,      // over a level that moves up and down
};

HCURSOR LoadControlCursor(HWND control, SkinCursorId id);
