#include "InlineEditor.h"

#include "ControlFont.h"
#include "SkinProtocol.h"

namespace {

// One box at a time in the process, and the font it made, if it made one.
HWND g_openEditor = nullptr;
HFONT g_editorFont = nullptr;

constexpr int kTextLimit = 256;  // up to 255 characters travel between box and field

void Commit(HWND box) {
    HWND field = GetParent(box);
    char text[kTextLimit];
    GetWindowTextA(box, text, kTextLimit);
    SetWindowTextA(field, text);
    // The parent applies the typed text first, then reformats the field with the zero step.
    HWND parent = GetParent(field);
    const WORD id = static_cast<WORD>(GetDlgCtrlID(field));
    PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, EN_CHANGE), reinterpret_cast<LPARAM>(field));
    PostMessageA(parent, QVEN_STEP, MAKEWPARAM(id, 0), reinterpret_cast<LPARAM>(field));
    DestroyWindow(box);
}

LRESULT CALLBACK InlineEditorProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    auto standard = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(box, GWLP_USERDATA));
    switch (message) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            Commit(box);
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            DestroyWindow(box);
            return 0;
        }
        break;
    case WM_KILLFOCUS:  // leaving the box cancels it
        DestroyWindow(box);
        return 0;
    case WM_DESTROY:
        if (g_openEditor == box) g_openEditor = nullptr;
        if (g_editorFont) {
            DeleteControlFont(g_editorFont);
            g_editorFont = nullptr;
        }
        break;
    default:
        break;
    }
    return CallWindowProcA(standard, box, message, wParam, lParam);
}

}  // namespace

void OpenInlineEditor(HWND edit) {
    RECT client;
    GetClientRect(edit, &client);
    auto module = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(edit, GWLP_HINSTANCE));
    HWND box = CreateWindowExA(0, "EDIT", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_BORDER | ES_MULTILINE | ES_RIGHT | ES_AUTOHSCROLL,
                               2, 2, client.right - 4, client.bottom - 4, edit,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(kInlineEditorId)), module,
                               nullptr);
    if (!box) return;
    HDC dc = GetDC(edit);
    HFONT font = CreateControlFont(dc);
    ReleaseDC(edit, dc);
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    char text[kTextLimit];
    GetWindowTextA(edit, text, kTextLimit);
    SetWindowTextA(box, text);
    SetFocus(box);  // closes a box that was open elsewhere
    SendMessageA(box, EM_SETSEL, 0, -1);
    SetWindowLongPtrA(box, GWLP_USERDATA, GetWindowLongPtrA(box, GWLP_WNDPROC));
    SetWindowLongPtrA(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(InlineEditorProc));
    g_openEditor = box;
    g_editorFont = font;
}

HWND OpenInlineEditorWindow() {
    return g_openEditor;
}

void CloseInlineEditor() {
    if (g_openEditor) DestroyWindow(g_openEditor);
}
