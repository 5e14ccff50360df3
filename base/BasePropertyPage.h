#pragma once
// IPropertyPage for a page whose face is one child window of a fixed size, created in
// Activate and destroyed in Deactivate: a dialog made from a template the concrete page
// names. Every message the dialog receives goes to PageMessage of the page object, its
// dialog procedure: nonzero for a message it handled, WM_INITDIALOG included.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <string>
#include "UnknownObject.h"

class BasePropertyPage : public UnknownObject, public IPropertyPage {
public:
    // A dialog from the DIALOG resource dialogId of the server module.
    BasePropertyPage(IUnknown* outer, const wchar_t* title, int width, int height, int dialogId);
    ~BasePropertyPage() override;

    FORWARD_IUNKNOWN_TO_OWNER
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;

    // IPropertyPage
    HRESULT STDMETHODCALLTYPE SetPageSite(IPropertyPageSite* site) override;
    HRESULT STDMETHODCALLTYPE Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    HRESULT STDMETHODCALLTYPE Deactivate() override;
    HRESULT STDMETHODCALLTYPE GetPageInfo(PROPPAGEINFO* info) override;
    HRESULT STDMETHODCALLTYPE SetObjects(ULONG count, IUnknown** objects) override;
    HRESULT STDMETHODCALLTYPE Show(UINT cmdShow) override;
    HRESULT STDMETHODCALLTYPE Move(LPCRECT rect) override;
    HRESULT STDMETHODCALLTYPE IsPageDirty() override;
    HRESULT STDMETHODCALLTYPE Apply() override;
    HRESULT STDMETHODCALLTYPE Help(LPCOLESTR helpDir) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(MSG* msg) override;

    // Hooks of a concrete page.
    virtual HRESULT OnConnect(IUnknown* object);   // SetObjects with one object; S_OK
    virtual HRESULT OnDisconnect();                // SetObjects with none; S_OK
    virtual HRESULT OnActivate();                  // after the window exists; S_OK
    virtual HRESULT OnDeactivate();                // before the window goes; S_OK
    virtual HRESULT OnApplyChanges();              // Apply while dirty; S_OK
    // The page dialog's procedure; the default handles nothing (0).
    virtual LRESULT PageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Marks the page dirty (or clean) and tells the site.
    void SetDirty(bool dirty = true);
    bool IsDirty() const { return dirty_; }
    HWND Window() const { return window_; }
    IPropertyPageSite* PageSite() const { return site_; }

private:
    HWND CreatePageWindow(HWND parent, const RECT& rect);
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The page of a window; `arriving` binds a page to it first (at WM_INITDIALOG).
    static BasePropertyPage* PageOf(HWND window, BasePropertyPage* arriving);
    // Forwards to PageMessage and unbinds the page after the window's last message.
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring title_;
    SIZE size_;
    int dialogId_;
    IPropertyPageSite* site_ = nullptr;
    HWND window_ = nullptr;
    bool objectSet_ = false;
    bool dirty_ = false;
};
