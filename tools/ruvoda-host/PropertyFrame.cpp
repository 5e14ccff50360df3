#include "PropertyFrame.h"

#include <ocidl.h>
#include <olectl.h>
#include <wrl/client.h>

#include "GraphBuilding.h"

using Microsoft::WRL::ComPtr;

namespace {

// One page made through COM, as the frame will make it, to read its size.
int ProbePage(const CLSID& clsid, SIZE& size, std::string& error) {
    ComPtr<IPropertyPage> page;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage,
                                  reinterpret_cast<void**>(page.GetAddressOf()));
    if (FAILED(hr)) return GraphFailure(error, "the filter's property page cannot be made", hr);
    PROPPAGEINFO info{};
    info.cb = sizeof info;
    hr = page->GetPageInfo(&info);
    if (FAILED(hr)) return GraphFailure(error, "the filter's property page gives no page information", hr);
    CoTaskMemFree(info.pszTitle);
    CoTaskMemFree(info.pszDocString);
    CoTaskMemFree(info.pszHelpFile);
    size = info.size;
    return 0;
}

}  // namespace

int PropertyFrame::Prepare(IBaseFilter* filter, std::string& error) {
    filter_ = filter;
    FILTER_INFO info{};
    HRESULT hr = filter->QueryFilterInfo(&info);
    if (FAILED(hr)) return GraphFailure(error, "the filter does not tell its name", hr);
    if (info.pGraph) info.pGraph->Release();
    caption_ = info.achName;

    ComPtr<ISpecifyPropertyPages> specify;
    CAUUID pages{};
    hr = filter->QueryInterface(IID_ISpecifyPropertyPages, reinterpret_cast<void**>(specify.GetAddressOf()));
    if (SUCCEEDED(hr)) hr = specify->GetPages(&pages);
    if (FAILED(hr)) return GraphFailure(error, "the filter names no property pages", hr);
    pages_.assign(pages.pElems, pages.pElems + pages.cElems);
    CoTaskMemFree(pages.pElems);
    if (pages_.empty()) {
        error = "the filter names no property pages";
        return -1;
    }
    for (size_t i = 0; i < pages_.size(); ++i) {
        SIZE size{};
        if (ProbePage(pages_[i], size, error) != 0) return -1;
        if (i == 0) pageSize_ = size;
    }
    return 0;
}

int PropertyFrame::Show(std::string& error) {
    IUnknown* objects[] = {filter_};
    const HRESULT hr = OleCreatePropertyFrame(nullptr, 0, 0, caption_.c_str(), 1, objects,
                                              static_cast<ULONG>(pages_.size()), pages_.data(),
                                              GetUserDefaultLCID(), 0, nullptr);
    if (FAILED(hr)) return GraphFailure(error, "the property frame does not open", hr);
    return 0;
}
