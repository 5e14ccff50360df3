#include "ReverbPage.h"

#include <new>
#include <string>

#include "ServerModule.h"

IUnknown* ReverbPage::Create(IUnknown* outer, HRESULT* hr) {
    auto* page = new (std::nothrow) ReverbPage(outer);
    if (page == nullptr) {
        *hr = E_OUTOFMEMORY;
        return nullptr;
    }
    return page->NonDelegating();
}

namespace {

// The page title is string 1 of the module, so a translated module carries its own.
const int kTitleString = 1;

std::wstring PageTitle() {
    wchar_t title[256] = L"";
    LoadStringW(ServerModule(), kTitleString, title, 256);
    return title;
}

}  // namespace

ReverbPage::ReverbPage(IUnknown* outer)
    : BasePropertyPage(outer, PageTitle().c_str(), kWidth, kHeight) {}
