#include "PointerTestSupport.h"

#include <gtest/gtest.h>

void Press(HWND control, int x, int y) {
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y));
}

void MoveTo(HWND control, int x, int y) {
    SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, At(x, y));
}

void Release(HWND control, int x, int y) {
    SendMessageA(control, WM_LBUTTONUP, 0, At(x, y));
}

void DoubleClick(HWND control, int x, int y) {
    Press(control, x, y);
    Release(control, x, y);
    SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, At(x, y));
    Release(control, x, y);
}

int DoubleClickReport(TestParent& parent, HWND control, UINT notification, int x, int y) {
    DoubleClick(control, x, y);
    int part = -99;
    for (const Notification& n : parent.Take()) {
        if (n.message != notification) continue;
        EXPECT_EQ(n.wParam, static_cast<WPARAM>(GetDlgCtrlID(control)));
        part = static_cast<int>(n.lParam);
    }
    return part;
}

namespace {

// Moving the pointer queues real mouse messages, possibly a little later; dispatch them all
// now, before a test presses and drags, so that none of them lands in the drag.
void SettlePointer() {
    for (int round = 0; round < 10; ++round) {
        Sleep(30);
        int mouseMessages = 0;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ++mouseMessages;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (mouseMessages == 0) return;
    }
}

}  // namespace

HCURSOR PointAt(HWND control, int x, int y) {
    POINT screen = {x, y};
    ClientToScreen(control, &screen);
    // Test programs share the display's one pointer; try again if another one moved it.
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(screen.x, screen.y);
        SettlePointer();
        SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        HCURSOR shape = GetCursor();
        POINT now;
        GetCursorPos(&now);
        if (now.x == screen.x && now.y == screen.y) return shape;
        Sleep(20);
    }
    return nullptr;
}

HCURSOR ExpectedCursor(int id, LPCTSTR fallback) {
    if (HCURSOR own = LoadCursor(GetModuleHandleA(nullptr), MAKEINTRESOURCE(id))) return own;
    return LoadCursor(nullptr, fallback);
}

void PrintInto(HWND control, Canvas& canvas) {
    SendMessageA(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.Dc()), PRF_CLIENT);
}
