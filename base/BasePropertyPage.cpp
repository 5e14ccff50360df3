#include "BasePropertyPage.h"
#include "ServerModule.h"

namespace {

// The module this code lives in: the server's when set, else whatever holds this function.
HINSTANCE PageInstance() {
    if (ServerModule()) return ServerModule();
    HMODULE self = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&PageInstance), &self);
    return self;
}

}  // namespace

BasePropertyPage::BasePropertyPage(IUnknown* outer, const wchar_t* title, int width, int height, int dialogId)
    : UnknownObject(outer), title_(title ? title : L""), size_{width, height}, dialogId_(dialogId) {}

BasePropertyPage::~BasePropertyPage() {
    if (window_) DestroyWindow(window_);
    if (site_) site_->Release();
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IPropertyPage)) return GetInterface(static_cast<IPropertyPage*>(this), out);
    return UnknownObject::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::SetPageSite(IPropertyPageSite* site) {
    if (site) {
        if (site_) return E_UNEXPECTED;
        site->AddRef();
        site_ = site;
    } else if (site_) {
        site_->Release();
        site_ = nullptr;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL) {
    if (!rect) return E_POINTER;
    if (!objectSet_ || window_) return E_UNEXPECTED;
    if (!CreatePageWindow(parent, *rect)) return E_OUTOFMEMORY;
    return OnActivate();
}

HWND BasePropertyPage::CreatePageWindow(HWND parent, const RECT& rect) {
    CreateDialogParamW(PageInstance(), MAKEINTRESOURCEW(dialogId_), parent, DialogProc,
                       reinterpret_cast<LPARAM>(this));
    if (!window_) return nullptr;
    // Tab and mnemonic handling of the frame reaches into the page.
    SetWindowLongPtrW(window_, GWL_EXSTYLE, GetWindowLongPtrW(window_, GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    MoveWindow(window_, rect.left, rect.top, size_.cx, size_.cy, FALSE);
    return window_;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::Deactivate() {
    if (!window_) return E_UNEXPECTED;
    HRESULT hr = OnDeactivate();
    DestroyWindow(window_);
    window_ = nullptr;
    return hr;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::GetPageInfo(PROPPAGEINFO* info) {
    if (!info) return E_POINTER;
    size_t bytes = (title_.size() + 1) * sizeof(wchar_t);
    auto* title = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!title) return E_OUTOFMEMORY;
    CopyMemory(title, title_.c_str(), bytes);
    info->cb = sizeof *info;
    info->pszTitle = title;
    info->size = size_;
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::SetObjects(ULONG count, IUnknown** objects) {
    if (count == 0) {
        objectSet_ = false;
        return OnDisconnect();
    }
    if (!objects || !objects[0]) return E_POINTER;
    if (count > 1) return E_INVALIDARG;
    // The page counts as set even when the object is refused, so a host may still show it.
    objectSet_ = true;
    return OnConnect(objects[0]);
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::Show(UINT cmdShow) {
    if (!window_) return E_UNEXPECTED;
    ShowWindow(window_, static_cast<int>(cmdShow));
    InvalidateRect(window_, nullptr, TRUE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::Move(LPCRECT rect) {
    if (!rect) return E_POINTER;
    if (!window_) return E_UNEXPECTED;
    // The page keeps its own size; only its place follows the frame.
    MoveWindow(window_, rect->left, rect->top, size_.cx, size_.cy, TRUE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::IsPageDirty() {
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::Apply() {
    if (!objectSet_) return E_UNEXPECTED;
    if (!dirty_) return S_OK;
    HRESULT hr = OnApplyChanges();
    if (SUCCEEDED(hr)) SetDirty(false);
    return hr;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::Help(LPCOLESTR) {
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE BasePropertyPage::TranslateAccelerator(MSG*) {
    return S_FALSE;
}

HRESULT BasePropertyPage::OnConnect(IUnknown*) {
    return S_OK;
}

HRESULT BasePropertyPage::OnDisconnect() {
    return S_OK;
}

HRESULT BasePropertyPage::OnActivate() {
    return S_OK;
}

HRESULT BasePropertyPage::OnDeactivate() {
    return S_OK;
}

HRESULT BasePropertyPage::OnApplyChanges() {
    return S_OK;
}

LRESULT BasePropertyPage::PageMessage(HWND, UINT, WPARAM, LPARAM) {
    return 0;
}

void BasePropertyPage::SetDirty(bool dirty) {
    dirty_ = dirty;
    if (site_) site_->OnStatusChange(dirty ? PROPPAGESTATUS_DIRTY : PROPPAGESTATUS_CLEAN);
}

BasePropertyPage* BasePropertyPage::PageOf(HWND window, BasePropertyPage* arriving) {
    if (arriving) {
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(arriving));
        arriving->window_ = window;  // so that PageMessage sees it from the first message on
    }
    return reinterpret_cast<BasePropertyPage*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

LRESULT BasePropertyPage::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = PageMessage(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        window_ = nullptr;
    }
    return result;
}

INT_PTR CALLBACK BasePropertyPage::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    BasePropertyPage* arriving = message == WM_INITDIALOG ? reinterpret_cast<BasePropertyPage*>(lParam) : nullptr;
    BasePropertyPage* page = PageOf(window, arriving);
    return page ? page->Dispatch(window, message, wParam, lParam) : FALSE;
}
