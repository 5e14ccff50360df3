#include "MediaType.h"
#include <cstring>

HRESULT CopyMediaType(AM_MEDIA_TYPE* dst, const AM_MEDIA_TYPE* src) {
    if (!dst || !src) return E_POINTER;
    *dst = *src;
    if (src->cbFormat != 0 && src->pbFormat) {
        dst->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(src->cbFormat));
        if (!dst->pbFormat) {
            dst->cbFormat = 0;
            dst->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(dst->pbFormat, src->pbFormat, src->cbFormat);
    } else {
        dst->pbFormat = nullptr;
        dst->cbFormat = 0;
    }
    if (dst->pUnk) dst->pUnk->AddRef();
    return S_OK;
}

void FreeMediaType(AM_MEDIA_TYPE& mt) {
    if (mt.pbFormat) CoTaskMemFree(mt.pbFormat);
    mt.pbFormat = nullptr;
    mt.cbFormat = 0;
    if (mt.pUnk) mt.pUnk->Release();
    mt.pUnk = nullptr;
}

void DeleteMediaType(AM_MEDIA_TYPE* mt) {
    if (!mt) return;
    FreeMediaType(*mt);
    CoTaskMemFree(mt);
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* src) {
    if (!src) return nullptr;
    auto* mt = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!mt) return nullptr;
    if (FAILED(CopyMediaType(mt, src))) {
        CoTaskMemFree(mt);
        return nullptr;
    }
    return mt;
}

bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b) {
    if (!IsEqualGUID(a.majortype, b.majortype) || !IsEqualGUID(a.subtype, b.subtype) ||
        !IsEqualGUID(a.formattype, b.formattype) || a.cbFormat != b.cbFormat)
        return false;
    return a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

bool MediaTypeMatchesPartial(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE& partial) {
    if (!IsEqualGUID(partial.majortype, GUID_NULL) && !IsEqualGUID(partial.majortype, full.majortype))
        return false;
    if (!IsEqualGUID(partial.subtype, GUID_NULL) && !IsEqualGUID(partial.subtype, full.subtype))
        return false;
    if (IsEqualGUID(partial.formattype, GUID_NULL)) return true;
    if (!IsEqualGUID(partial.formattype, full.formattype)) return false;
    // A format type with a format block pins the format itself too.
    if (partial.cbFormat == 0) return true;
    return partial.cbFormat == full.cbFormat &&
           std::memcmp(partial.pbFormat, full.pbFormat, full.cbFormat) == 0;
}

MediaType::MediaType() {
    std::memset(&mt_, 0, sizeof mt_);
}

MediaType::MediaType(const AM_MEDIA_TYPE& src) : MediaType() {
    Set(&src);
}

MediaType::MediaType(const MediaType& other) : MediaType() {
    Set(&other.mt_);
}

MediaType& MediaType::operator=(const MediaType& other) {
    if (this != &other) Set(&other.mt_);
    return *this;
}

MediaType::~MediaType() {
    FreeMediaType(mt_);
}

HRESULT MediaType::Set(const AM_MEDIA_TYPE* src) {
    if (src == &mt_) return S_OK;
    Clear();
    if (!src) return S_OK;
    HRESULT hr = CopyMediaType(&mt_, src);
    if (FAILED(hr)) Clear();
    return hr;
}

void MediaType::Clear() {
    FreeMediaType(mt_);
    std::memset(&mt_, 0, sizeof mt_);
}

bool MediaType::IsEmpty() const {
    return IsEqualGUID(mt_.majortype, GUID_NULL);
}
