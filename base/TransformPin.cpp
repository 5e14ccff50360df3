#include "TransformPin.h"
#include <new>
#include "AutoLock.h"
#include "MediaTypeEnumerator.h"
#include "TransformFilter.h"

TransformPin::TransformPin(TransformFilter* filter, const wchar_t* name, PIN_DIRECTION dir)
    : filter_(filter), name_(name ? name : L""), dir_(dir) {}

TransformPin::~TransformPin() {
    if (connected_) connected_->Release();
}

HRESULT STDMETHODCALLTYPE TransformPin::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPin)) {
        *out = static_cast<IPin*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE TransformPin::AddRef() {
    return filter_->AddRef();
}

ULONG STDMETHODCALLTYPE TransformPin::Release() {
    return filter_->Release();
}

HRESULT STDMETHODCALLTYPE TransformPin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* mt) {
    if (!receivePin) return E_POINTER;
    AutoLock lock(filter_->FilterLock());
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    if (filter_->State() != State_Stopped) return VFW_E_NOT_STOPPED;

    // A fully specified type is tried alone; otherwise the receiver's types, then ours.
    if (mt && !IsEqualGUID(mt->majortype, GUID_NULL) && !IsEqualGUID(mt->subtype, GUID_NULL) &&
        !IsEqualGUID(mt->formattype, GUID_NULL))
        return AttemptConnection(receivePin, mt);
    HRESULT hr = TryTypesOf(receivePin, receivePin, mt);
    if (hr == S_OK) return S_OK;
    hr = TryTypesOf(this, receivePin, mt);
    return hr == S_OK ? S_OK : VFW_E_NO_ACCEPTABLE_TYPES;
}

HRESULT TransformPin::TryTypesOf(IPin* source, IPin* receivePin, const AM_MEDIA_TYPE* partial) {
    IEnumMediaTypes* types = nullptr;
    if (FAILED(source->EnumMediaTypes(&types)) || !types) return S_FALSE;
    HRESULT result = S_FALSE;
    AM_MEDIA_TYPE* mt = nullptr;
    ULONG fetched = 0;
    while (result != S_OK && types->Next(1, &mt, &fetched) == S_OK && fetched == 1) {
        if (!partial || MediaTypeMatchesPartial(*mt, *partial)) {
            if (AttemptConnection(receivePin, mt) == S_OK) result = S_OK;
        }
        DeleteMediaType(mt);
    }
    types->Release();
    return result;
}

HRESULT TransformPin::AttemptConnection(IPin* receivePin, const AM_MEDIA_TYPE* mt) {
    HRESULT hr = TakeConnection(receivePin, mt);
    if (FAILED(hr)) return hr;
    hr = receivePin->ReceiveConnection(this, mt);
    if (SUCCEEDED(hr)) {
        hr = CompleteConnect(receivePin);
        if (SUCCEEDED(hr)) return S_OK;
        receivePin->Disconnect();
    }
    DropConnection();
    return hr;
}

HRESULT STDMETHODCALLTYPE TransformPin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* mt) {
    if (!connector || !mt) return E_POINTER;
    AutoLock lock(filter_->FilterLock());
    if (connected_) return VFW_E_ALREADY_CONNECTED;
    if (filter_->State() != State_Stopped) return VFW_E_NOT_STOPPED;
    HRESULT hr = TakeConnection(connector, mt);
    if (FAILED(hr)) return hr;
    hr = CompleteConnect(connector);
    if (FAILED(hr)) DropConnection();
    return hr;
}

HRESULT TransformPin::TakeConnection(IPin* pin, const AM_MEDIA_TYPE* mt) {
    HRESULT hr = CheckConnect(pin);
    if (SUCCEEDED(hr) && CheckMediaType(mt) != S_OK) hr = VFW_E_TYPE_NOT_ACCEPTED;
    if (SUCCEEDED(hr)) hr = SetCurrentMediaType(mt);
    if (FAILED(hr)) {
        BreakConnect();
        current_.Clear();
        return hr;
    }
    connected_ = pin;
    connected_->AddRef();
    return S_OK;
}

void TransformPin::DropConnection() {
    BreakConnect();
    if (connected_) connected_->Release();
    connected_ = nullptr;
    current_.Clear();
}

HRESULT STDMETHODCALLTYPE TransformPin::Disconnect() {
    AutoLock lock(filter_->FilterLock());
    if (filter_->State() != State_Stopped) return VFW_E_NOT_STOPPED;
    if (!connected_) return S_FALSE;
    DropConnection();
    return S_OK;
}

// ConnectedTo and ConnectionMediaType take no lock: peers ask them on the streaming thread,
// while Stop may hold the filter lock waiting for that thread. The connection itself
// changes only while the filter is stopped.
HRESULT STDMETHODCALLTYPE TransformPin::ConnectedTo(IPin** pin) {
    if (!pin) return E_POINTER;
    *pin = connected_;
    if (!connected_) return VFW_E_NOT_CONNECTED;
    connected_->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformPin::ConnectionMediaType(AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    if (!connected_) {
        ZeroMemory(mt, sizeof *mt);
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(mt, &current_.Get());
}

HRESULT STDMETHODCALLTYPE TransformPin::QueryPinInfo(PIN_INFO* info) {
    if (!info) return E_POINTER;
    info->pFilter = filter_;
    filter_->AddRef();
    info->dir = dir_;
    lstrcpynW(info->achName, name_.c_str(), MAX_PIN_NAME);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformPin::QueryDirection(PIN_DIRECTION* dir) {
    if (!dir) return E_POINTER;
    *dir = dir_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformPin::QueryId(LPWSTR* id) {
    if (!id) return E_POINTER;
    size_t bytes = (name_.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id) return E_OUTOFMEMORY;
    CopyMemory(*id, name_.c_str(), bytes);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE TransformPin::QueryAccept(const AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    return CheckMediaType(mt) == S_OK ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE TransformPin::EnumMediaTypes(IEnumMediaTypes** types) {
    if (!types) return E_POINTER;
    auto* e = new (std::nothrow) MediaTypeEnumerator(this, 0);
    if (!e) {
        *types = nullptr;
        return E_OUTOFMEMORY;
    }
    return e->NonDelegatingQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(types));
}

HRESULT STDMETHODCALLTYPE TransformPin::QueryInternalConnections(IPin**, ULONG*) {
    return E_NOTIMPL;
}

HRESULT TransformPin::SetCurrentMediaType(const AM_MEDIA_TYPE* mt) {
    if (!mt) return E_POINTER;
    HRESULT hr = current_.Set(mt);
    if (FAILED(hr)) return hr;
    return filter_->SetMediaType(dir_, mt);
}

HRESULT TransformPin::CheckConnect(IPin* pin) {
    PIN_DIRECTION other;
    if (FAILED(pin->QueryDirection(&other))) return E_FAIL;
    if (other == dir_) return VFW_E_INVALID_DIRECTION;
    return filter_->CheckConnect(dir_, pin);
}

HRESULT TransformPin::BreakConnect() {
    return filter_->BreakConnect(dir_);
}

HRESULT TransformPin::CompleteConnect(IPin* receivePin) {
    return filter_->CompleteConnect(dir_, receivePin);
}
