// The dialog templates as the dialog font lays them out: every text fits its control and no
// two controls overlap.
#include <string>
#include <vector>

#include "PresetResources.h"
#include "PresetUiSupport.h"

namespace {

INT_PTR CALLBACK Inert(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

struct Control {
    std::string className;
    std::string text;
    RECT rect;  // in the dialog's client coordinates
    HWND window;
};

std::vector<Control> Controls(HWND dialog) {
    std::vector<Control> controls;
    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char className[64] = {};
        char text[256] = {};
        GetClassNameA(child, className, sizeof className);
        GetWindowTextA(child, text, sizeof text);
        RECT rect;
        GetWindowRect(child, &rect);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
        controls.push_back({className, text, rect, child});
    }
    return controls;
}

SIZE TextSize(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

TEST(PresetDialogLayoutUi, TextsFitTheirControlsAndNoControlsOverlap) {
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    for (int id : {kPresetManagerDialogId, kAddPresetDialogId, kRenameDialogId, kNewBankDialogId}) {
        HWND dialog =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), nullptr, Inert, 0);
        ASSERT_NE(dialog, nullptr) << "dialog " << id;
        RECT client;
        GetClientRect(dialog, &client);
        const std::vector<Control> controls = Controls(dialog);
        for (size_t i = 0; i < controls.size(); ++i) {
            const Control& c = controls[i];
            SCOPED_TRACE("dialog " + std::to_string(id) + " control \"" + c.text + "\"");
            RECT inside;
            IntersectRect(&inside, &c.rect, &client);
            EXPECT_TRUE(EqualRect(&inside, &c.rect)) << "outside the dialog";
            const SIZE text = TextSize(c.window, c.text);
            const int width = c.rect.right - c.rect.left;
            const int height = c.rect.bottom - c.rect.top;
            if (c.className == "Static") {
                EXPECT_LE(text.cx, width);
                EXPECT_LE(text.cy, height);
            } else if (c.className == "Button") {
                // The push button's frame and focus rectangle take a few pixels each side.
                EXPECT_LE(text.cx + 8, width);
                EXPECT_LE(text.cy + 4, height);
            }
            for (size_t j = i + 1; j < controls.size(); ++j) {
                RECT overlap;
                EXPECT_FALSE(IntersectRect(&overlap, &c.rect, &controls[j].rect))
                    << "overlaps \"" << controls[j].text << "\"";
            }
        }
        DestroyWindow(dialog);
    }
}

}  // namespace
