#include "WindowUtils.h"

void CenterWindowOnParent(HWND window) {
    HWND parent = GetParent(window);
    if (!parent) return;
    RECT own, outer;
    GetWindowRect(window, &own);
    GetWindowRect(parent, &outer);
    const int width = own.right - own.left, height = own.bottom - own.top;
    const int x = outer.left + ((outer.right - outer.left) - width) / 2;
    const int y = outer.top + ((outer.bottom - outer.top) - height) / 2;
    SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void EnableDlgItemRedraw(HWND dialog, int id, BOOL enable) {
    HWND item = GetDlgItem(dialog, id);
    EnableWindow(item, enable);
    InvalidateRect(item, nullptr, FALSE);
    UpdateWindow(item);
}
