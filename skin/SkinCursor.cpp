#include "SkinCursor.h"

namespace {

LPCTSTR SystemFallback(SkinCursorId id) {
    switch (id) {
        case kCursorOpenHand: return IDC_HAND;
        case kCursorClosedHand: return IDC_SIZEALL;
        case kCursorLeftRight: return IDC_SIZEWE;
        case kCursorUpDown: return IDC_SIZENS;
    }
    return IDC_ARROW;
}

}  // namespace

HCURSOR LoadControlCursor(HWND control, SkinCursorId id) {
    const auto module = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(control, GCLP_HMODULE));
    if (HCURSOR own = LoadCursor(module, MAKEINTRESOURCE(id))) return own;
    return LoadCursor(nullptr, SystemFallback(id));
}
