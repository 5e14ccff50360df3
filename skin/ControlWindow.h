#pragma once
// The window-procedure frame every skinned control class shares: the state record's life from
// WM_CREATE to WM_DESTROY, and the messages all classes answer alike. A class supplies its
// creation, its own messages and its painting.
#include <windows.h>

#include "ControlPaint.h"
#include "ControlState.h"

template <class State>
class ControlWindow {
public:
    virtual ~ControlWindow() = default;

    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_CREATE) {
            State* state = AttachControlState<State>(window);
            if (!state) return -1;  // no record, no window
            Create(window, *reinterpret_cast<const CREATESTRUCTA*>(lParam), *state);
            return 0;
        }
        State* state = GetControlState<State>(window);
        if (!state) return DefWindowProcA(window, message, wParam, lParam);
        if (message == WM_DESTROY) {
            Release(*state);
            DetachControlState(window);
            return 0;
        }
        LRESULT result = 0;
        if (Handle(window, message, wParam, lParam, *state, result)) return result;
        switch (message) {
        case WM_PAINT:  // painting goes through the window's own DC
            ValidatePaint(window);
            Paint(window, *state);
            return 0;
        case WM_ERASEBKGND:  // the background copy covers everything
            return 1;
        case WM_SETFONT:
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }

protected:
    // Fills the zeroed record from the creation parameters.
    virtual void Create(HWND window, const CREATESTRUCTA& create, State& state) = 0;
    // The class's own messages; true when handled, with `result` to return.
    virtual bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, State& state,
                        LRESULT& result) = 0;
    virtual void Paint(HWND window, State& state) = 0;
    // Frees what the record owns.
    virtual void Release(State&) {}
};
