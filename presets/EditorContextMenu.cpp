// The context menu of the editor's bottom strip.
#include <windows.h>
#include <shellapi.h>

#include "PresetsMenu.h"

namespace {
constexpr UINT kCommandHomePage = 1001;
}  // namespace

void OpenInBrowser(HWND owner, const char* address) {
    ShellExecuteA(owner, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

int EditorContextMenu(HWND editor, POINT screenPoint, OpenAddress open) {
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return 0;
    AppendMenuA(menu, MF_STRING, kCommandHomePage, "Go to Quillorn home page...");
    const UINT chosen = static_cast<UINT>(TrackPopupMenu(
        menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, screenPoint.x, screenPoint.y, 0, editor, nullptr));
    DestroyMenu(menu);
    if (chosen == kCommandHomePage) open(editor, kMakerHomePage);
    return 0;
}
