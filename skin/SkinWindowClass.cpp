#include "SkinWindowClass.h"

void RegisterSkinWindowClass(HINSTANCE module, const char* name, WNDPROC procedure) {
    WNDCLASSA description = {};
    description.style = CS_DBLCLKS | CS_PARENTDC;
    description.lpfnWndProc = procedure;
    description.cbClsExtra = 0;
    description.cbWndExtra = sizeof(LONG_PTR);  // the state record pointer
    description.hInstance = module;
    description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512) /* IDC_ARROW */);
    description.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    description.lpszClassName = name;
    RegisterClassA(&description);  // a second registration fails harmlessly
}
