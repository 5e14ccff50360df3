#pragma once
// The per-window state record of a skinned control, kept in the window's extra bytes
// (index 0, pointer-sized), allocated zeroed in WM_CREATE and freed in WM_DESTROY.
#include <windows.h>

#include <cstdlib>
#include <type_traits>

// Allocates a zeroed record and attaches it to the window; null when out of memory (WM_CREATE
// then returns -1).
template <class State>
State* AttachControlState(HWND window) {
    static_assert(std::is_trivially_copyable_v<State>, "state records are plain");
    auto* state = static_cast<State*>(std::calloc(1, sizeof(State)));
    if (state) SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(state));
    return state;
}

// The window's record, or null before WM_CREATE and after WM_DESTROY.
template <class State>
State* GetControlState(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, 0));
}

// Detaches and frees the record (its owned members must be freed first).
inline void DetachControlState(HWND window) {
    std::free(reinterpret_cast<void*>(SetWindowLongPtrA(window, 0, 0)));
}
