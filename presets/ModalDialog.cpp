#include "ModalDialog.h"

#include "Preset.h"

INT_PTR ModalDialog::Run(HINSTANCE module, int templateId, HWND owner) {
    return DialogBoxParamA(module, MAKEINTRESOURCEA(templateId), owner, Procedure,
                           reinterpret_cast<LPARAM>(this));
}

std::string ModalDialog::NameText(int id) const {
    char text[Preset::kTextField] = {};
    GetDlgItemTextA(window_, id, text, sizeof text);
    return text;
}

INT_PTR CALLBACK ModalDialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
        SetWindowLongPtrA(window, DWLP_USER, lParam);
        dialog->window_ = window;
        return dialog->OnInit() ? TRUE : FALSE;
    }
    auto* dialog = reinterpret_cast<ModalDialog*>(GetWindowLongPtrA(window, DWLP_USER));
    if (dialog == nullptr) return FALSE;
    switch (message) {
        case WM_COMMAND: dialog->OnCommand(LOWORD(wParam)); return TRUE;
        case WM_NOTIFY: dialog->OnNotify(*reinterpret_cast<const NMHDR*>(lParam)); return TRUE;
        case WM_DESTROY: dialog->OnDestroy(); return TRUE;
        default: return dialog->OnMessage(message, wParam, lParam) ? TRUE : FALSE;
    }
}
