#include "PinEnumerator.h"
#include <new>
#include "TransformFilter.h"
#include "TransformPin.h"

PinEnumerator::PinEnumerator(TransformFilter* filter, ULONG position)
    : UnknownObject(nullptr), filter_(filter), position_(position) {
    filter_->AddRef();
}

PinEnumerator::~PinEnumerator() {
    filter_->Release();
}

HRESULT STDMETHODCALLTYPE PinEnumerator::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IEnumPins)) return GetInterface(static_cast<IEnumPins*>(this), out);
    return UnknownObject::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE PinEnumerator::Next(ULONG count, IPin** pins, ULONG* fetched) {
    if (!pins) return E_POINTER;
    if (count > 1 && !fetched) return E_INVALIDARG;
    ULONG n = 0;
    while (n < count && position_ < static_cast<ULONG>(filter_->PinCount())) {
        TransformPin* pin = filter_->GetPin(static_cast<int>(position_++));
        if (!pin) continue;  // a pin that could not be created is simply absent
        pin->AddRef();
        pins[n++] = pin;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE PinEnumerator::Skip(ULONG count) {
    ULONG total = static_cast<ULONG>(filter_->PinCount());
    if (position_ + count > total) {
        position_ = total;
        return S_FALSE;
    }
    position_ += count;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PinEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE PinEnumerator::Clone(IEnumPins** out) {
    if (!out) return E_POINTER;
    auto* copy = new (std::nothrow) PinEnumerator(filter_, position_);
    if (!copy) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    return copy->NonDelegatingQueryInterface(IID_IEnumPins, reinterpret_cast<void**>(out));
}
