#include "MediaTypeEnumerator.h"
#include <new>
#include "MediaType.h"
#include "TransformPin.h"

MediaTypeEnumerator::MediaTypeEnumerator(TransformPin* pin, ULONG position)
    : UnknownObject(nullptr), pin_(pin), position_(position) {
    pin_->AddRef();
}

MediaTypeEnumerator::~MediaTypeEnumerator() {
    pin_->Release();
}

HRESULT STDMETHODCALLTYPE MediaTypeEnumerator::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IEnumMediaTypes)) return GetInterface(static_cast<IEnumMediaTypes*>(this), out);
    return UnknownObject::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE MediaTypeEnumerator::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) {
    if (!types) return E_POINTER;
    if (count > 1 && !fetched) return E_INVALIDARG;
    ULONG n = 0;
    while (n < count) {
        MediaType mt;
        if (pin_->GetMediaType(static_cast<int>(position_), mt.Raw()) != S_OK) break;
        ++position_;
        AM_MEDIA_TYPE* copy = CreateMediaType(&mt.Get());
        if (!copy) {
            while (n > 0) DeleteMediaType(types[--n]);
            if (fetched) *fetched = 0;
            return E_OUTOFMEMORY;
        }
        types[n++] = copy;
    }
    if (fetched) *fetched = n;
    return n == count ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE MediaTypeEnumerator::Skip(ULONG count) {
    // Types are only known by asking for them, so skipping walks them.
    while (count > 0) {
        MediaType mt;
        if (pin_->GetMediaType(static_cast<int>(position_), mt.Raw()) != S_OK) return S_FALSE;
        ++position_;
        --count;
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaTypeEnumerator::Reset() {
    position_ = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaTypeEnumerator::Clone(IEnumMediaTypes** out) {
    if (!out) return E_POINTER;
    auto* copy = new (std::nothrow) MediaTypeEnumerator(pin_, position_);
    if (!copy) {
        *out = nullptr;
        return E_OUTOFMEMORY;
    }
    return copy->NonDelegatingQueryInterface(IID_IEnumMediaTypes, reinterpret_cast<void**>(out));
}
