#include "ControlRender.h"

void RenderControl(HWND window, HBITMAP background, ControlContent& content, HDC target) {
    if (!target) {
        PaintControl(window, background, content);
        return;
    }
    RECT client;
    GetClientRect(window, &client);
    CopyControlBackground(window, background, target, client);
    content.Draw(target, client);
}
