// What the frequency and the reverb-time displays share: a repaint on focus changes, a
// pointer shape chosen by position, and a drag that starts with a press on a part, follows
// the mouse under capture and ends on release or when the capture goes elsewhere.
#pragma once

#include <windows.h>

#include "SkinControl.h"

class DragDisplay : public SkinControl {
public:
    // `doubleClickMessage` is the notification that reports the part under a double-click.
    DragDisplay(HWND window, UINT doubleClickMessage)
        : SkinControl(window), doubleClickMessage_(doubleClickMessage) {}

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    virtual bool Dragging() const = 0;
    virtual void StopDragging() = 0;
    // Sets the pointer for a position in client coordinates (never called while dragging).
    virtual void ShowPointer(POINT at) = 0;
    // Takes hold of the part under a press (the drag state is set) and returns it, -1 for none.
    virtual int Grab(POINT at) = 0;
    // Follows a mouse move while dragging.
    virtual void Drag(POINT at) = 0;

private:
    void Press(POINT at, bool doubleClick);
    void EndDrag();

    UINT doubleClickMessage_;
};
