#include "DragDisplay.h"

namespace {

POINT ClientPoint(LPARAM lParam) {
    return {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
}

}  // namespace

bool DragDisplay::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: Paint(nullptr); return true;
        case WM_SETCURSOR:
            // While dragging, the shape (and what it says about the drag) stays as at the press.
            if (!Dragging()) {
                POINT at;
                GetCursorPos(&at);
                ScreenToClient(window_, &at);
                ShowPointer(at);
            }
            *result = 1;
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: Press(ClientPoint(lParam), message == WM_LBUTTONDBLCLK); return true;
        case WM_MOUSEMOVE:
            if (Dragging()) {
                Drag(ClientPoint(lParam));
                Paint(nullptr);
            }
            return true;
        case WM_LBUTTONUP:
            if (Dragging()) EndDrag();
            return true;
        case WM_CAPTURECHANGED:
            // Losing the capture to another window (a menu, a task switch) ends the drag.
            if (Dragging() && reinterpret_cast<HWND>(lParam) != window_) EndDrag();
            return true;
    }
    return SkinControl::Handle(message, wParam, lParam, result);
}

void DragDisplay::Press(POINT at, bool doubleClick) {
    const int part = Grab(at);
    if (doubleClick) {
        // The parent resets what was hit; a double-click never starts a drag.
        PostMessageA(GetParent(window_), doubleClickMessage_, GetDlgCtrlID(window_), part);
        StopDragging();
    } else if (part >= 0) {
        Paint(nullptr);
        SetCapture(window_);
    }
    SetFocus(window_);
}

void DragDisplay::EndDrag() {
    StopDragging();  // first, so that the capture change below is not taken for a loss
    if (GetCapture() == window_) ReleaseCapture();
    Paint(nullptr);
}
