#include "SkinControl.h"

#include "ControlPaint.h"

bool SkinControl::Handle(UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
    switch (message) {
        case WM_ERASEBKGND: *result = 1; return true;
        case WM_PAINT: {
            PaintCycle cycle(window_);
            Paint(nullptr);
            return true;
        }
        case WM_PRINTCLIENT: Paint(reinterpret_cast<HDC>(wParam)); return true;
    }
    return false;
}
