#pragma once
#include <windows.h>

#include <string>

// A modal dialog made from a template of the module. Its one dialog procedure hands the
// messages to typed handlers of the derived class.
class ModalDialog {
public:
    virtual ~ModalDialog() = default;
    ModalDialog() = default;
    ModalDialog(const ModalDialog&) = delete;
    ModalDialog& operator=(const ModalDialog&) = delete;

protected:
    // Runs the dialog until Close; returns Close's result, or -1 when the dialog could not
    // be created.
    INT_PTR Run(HINSTANCE module, int templateId, HWND owner);

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    // The first 127 characters of an item's text: names and banks hold no more.
    std::string NameText(int id) const;
    void Close(INT_PTR result) const { EndDialog(window_, result); }

    // WM_INITDIALOG; true lets the system put the focus on the first control.
    virtual bool OnInit() = 0;
    // WM_COMMAND from a control or a menu.
    virtual void OnCommand(int id) = 0;
    virtual void OnNotify(const NMHDR&) {}
    // Any other message; true when handled.
    virtual bool OnMessage(UINT, WPARAM, LPARAM) { return false; }
    virtual void OnDestroy() {}

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
};
