#include "ReverbPage.h"

#include <new>

IUnknown* ReverbPage::Create(IUnknown* outer, HRESULT* hr) {
    auto* page = new (std::nothrow) ReverbPage(outer);
    if (page == nullptr) {
        *hr = E_OUTOFMEMORY;
        return nullptr;
    }
    return page->NonDelegating();
}

ReverbPage::ReverbPage(IUnknown* outer) : BasePropertyPage(outer, L"qv:Ruvoda R3", kWidth, kHeight) {}
