// The frame of the control classes in this file set: the window procedure keeps the state
// record in the window's extra bytes and hands each message to a short-lived object that
// sees the window and its record.
#pragma once

#include <windows.h>

#include "ControlBuffer.h"
#include "ControlState.h"

// One message's view of a control window. Answers what every class answers alike
// (nothing to erase, WM_PAINT and WM_PRINTCLIENT through Paint); classes add their own.
class SkinControl {
public:
    explicit SkinControl(HWND window) : window_(window) {}
    virtual ~SkinControl() = default;

    // Handles `message`; false lets DefWindowProc see it (also after handling it in part).
    virtual bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

protected:
    // Draws the control at once into its window (null `target`) or into `target`.
    virtual void Paint(HDC target) = 0;

    HWND window_;
};

// The window procedure of a class whose record is `State` and whose messages `Control`
// (constructed from the window and the record) handles. `Control::Init` fills the zeroed
// record in WM_CREATE; WM_DESTROY reaches the control before the record is freed.
template <class State, class Control>
LRESULT RunSkinControl(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        State* state = AttachControlState<State>(window);
        if (!state) return -1;
        Control::Init(window, *state, *reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    }
    State* state = GetControlState<State>(window);
    if (!state) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    const bool handled = Control(window, *state).Handle(message, wParam, lParam, &result);
    if (message == WM_DESTROY) {
        ControlBuffer::Free(window);
        DetachControlState(window);
        return 0;
    }
    return handled ? result : DefWindowProcA(window, message, wParam, lParam);
}
