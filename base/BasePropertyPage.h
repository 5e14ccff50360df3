#pragma once
// IPropertyPage for a page whose face is one child window of a fixed size. The window is
// created in Activate from a window class of this library; every message it receives goes
// to PageMessage of the page object.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <string>
#include "UnknownObject.h"

class BasePropertyPage : public UnknownObject, public IPropertyPage {
public:
    BasePropertyPage(IUnknown* outer, const wchar_t* title, int width, int height);
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
    // The page window's procedure; the default is DefWindowProc.
    virtual LRESULT PageMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Marks the page dirty (or clean) and tells the site.
    void SetDirty(bool dirty = true);
    bool IsDirty() const { return dirty_; }
    HWND Window() const { return window_; }
    IPropertyPageSite* PageSite() const { return site_; }
    SIZE PageSize() const { return size_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::wstring title_;
    SIZE size_;
    IPropertyPageSite* site_ = nullptr;
    HWND window_ = nullptr;
    bool objectSet_ = false;
    bool dirty_ = false;
};
