#include "MediaSample.h"

#include <cstddef>

#include "MediaType.h"
#include "MemAllocator.h"

MediaSample::MediaSample(MemAllocator* owner, BYTE* buffer, long size) : owner_(owner) {
    props_.cbData = sizeof props_;
    props_.pbBuffer = buffer;
    props_.cbBuffer = size;
    props_.lActual = size;
}

MediaSample::~MediaSample() {
    ClearMediaType();
}

HRESULT STDMETHODCALLTYPE MediaSample::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IMediaSample) || IsEqualIID(iid, IID_IMediaSample2)) {
        *out = static_cast<IMediaSample2*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE MediaSample::AddRef() {
    return InterlockedIncrement(&refs_);
}

ULONG STDMETHODCALLTYPE MediaSample::Release() {
    const LONG refs = InterlockedDecrement(&refs_);
    if (refs != 0) return refs;
    // The next holder starts from a clean sample. The allocator may free this sample as it
    // takes it back, so nothing of it is touched afterwards.
    ClearMediaType();
    props_.dwSampleFlags = 0;
    props_.dwTypeSpecificFlags = 0;
    props_.dwStreamId = AM_STREAM_MEDIA;
    props_.lActual = props_.cbBuffer;
    mediaTimeSet_ = false;
    owner_->ReleaseBuffer(this);
    return 0;
}

void MediaSample::Hand() {
    refs_ = 1;
}

HRESULT STDMETHODCALLTYPE MediaSample::GetPointer(BYTE** buffer) {
    if (!buffer) return E_POINTER;
    *buffer = props_.pbBuffer;
    return S_OK;
}

long STDMETHODCALLTYPE MediaSample::GetSize() {
    return props_.cbBuffer;
}

HRESULT STDMETHODCALLTYPE MediaSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    if (!start || !stop) return E_POINTER;
    if (!(props_.dwSampleFlags & AM_SAMPLE_TIMEVALID)) return VFW_E_SAMPLE_TIME_NOT_SET;
    *start = props_.tStart;
    if (props_.dwSampleFlags & AM_SAMPLE_STOPVALID) {
        *stop = props_.tStop;
        return S_OK;
    }
    *stop = props_.tStart + 1;
    return VFW_S_NO_STOP_TIME;
}

HRESULT STDMETHODCALLTYPE MediaSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) {
    props_.dwSampleFlags &= ~(AM_SAMPLE_TIMEVALID | AM_SAMPLE_STOPVALID);
    if (!start) return S_OK;
    props_.tStart = *start;
    props_.dwSampleFlags |= AM_SAMPLE_TIMEVALID;
    if (stop) {
        props_.tStop = *stop;
        props_.dwSampleFlags |= AM_SAMPLE_STOPVALID;
    }
    return S_OK;
}

HRESULT MediaSample::SetFlag(DWORD flag, BOOL on) {
    if (on) props_.dwSampleFlags |= flag;
    else props_.dwSampleFlags &= ~flag;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSample::IsSyncPoint() {
    return IsFlag(AM_SAMPLE_SPLICEPOINT);
}

HRESULT STDMETHODCALLTYPE MediaSample::SetSyncPoint(BOOL on) {
    return SetFlag(AM_SAMPLE_SPLICEPOINT, on);
}

HRESULT STDMETHODCALLTYPE MediaSample::IsPreroll() {
    return IsFlag(AM_SAMPLE_PREROLL);
}

HRESULT STDMETHODCALLTYPE MediaSample::SetPreroll(BOOL on) {
    return SetFlag(AM_SAMPLE_PREROLL, on);
}

HRESULT STDMETHODCALLTYPE MediaSample::IsDiscontinuity() {
    return IsFlag(AM_SAMPLE_DATADISCONTINUITY);
}

HRESULT STDMETHODCALLTYPE MediaSample::SetDiscontinuity(BOOL on) {
    return SetFlag(AM_SAMPLE_DATADISCONTINUITY, on);
}

long STDMETHODCALLTYPE MediaSample::GetActualDataLength() {
    return props_.lActual;
}

HRESULT STDMETHODCALLTYPE MediaSample::SetActualDataLength(long length) {
    if (length < 0 || length > props_.cbBuffer) return VFW_E_BUFFER_OVERFLOW;
    props_.lActual = length;
    return S_OK;
}

void MediaSample::ClearMediaType() {
    if (props_.pMediaType) DeleteMediaType(props_.pMediaType);
    props_.pMediaType = nullptr;
    props_.dwSampleFlags &= ~AM_SAMPLE_TYPECHANGED;
}

HRESULT STDMETHODCALLTYPE MediaSample::GetMediaType(AM_MEDIA_TYPE** type) {
    if (!type) return E_POINTER;
    *type = nullptr;
    if (!props_.pMediaType) return S_FALSE;
    *type = CreateMediaType(props_.pMediaType);
    return *type ? S_OK : E_OUTOFMEMORY;
}

HRESULT STDMETHODCALLTYPE MediaSample::SetMediaType(AM_MEDIA_TYPE* type) {
    // Copied before the old one goes: the type may be the sample's own, as in a record read
    // with GetProperties and written back.
    AM_MEDIA_TYPE* copy = nullptr;
    if (type && !(copy = CreateMediaType(type))) return E_OUTOFMEMORY;
    ClearMediaType();
    if (!copy) return S_OK;
    props_.pMediaType = copy;
    props_.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSample::GetMediaTime(LONGLONG* start, LONGLONG* stop) {
    if (!start || !stop) return E_POINTER;
    if (!mediaTimeSet_) return VFW_E_MEDIA_TIME_NOT_SET;
    *start = mediaStart_;
    *stop = mediaStop_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSample::SetMediaTime(LONGLONG* start, LONGLONG* stop) {
    if (!start || !stop) {
        mediaTimeSet_ = false;
        return S_OK;
    }
    mediaStart_ = *start;
    mediaStop_ = *stop;
    mediaTimeSet_ = true;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE MediaSample::GetProperties(DWORD size, BYTE* properties) {
    if (size == 0) return S_OK;
    if (!properties) return E_POINTER;
    AM_SAMPLE2_PROPERTIES copy = props_;
    copy.cbData = size < sizeof copy ? size : DWORD(sizeof copy);
    CopyMemory(properties, &copy, copy.cbData);
    return S_OK;
}

// The fields up to the buffer's are the writable ones; the record must hold them all.
HRESULT STDMETHODCALLTYPE MediaSample::SetProperties(DWORD size, const BYTE* properties) {
    if (!properties) return E_POINTER;
    if (size < offsetof(AM_SAMPLE2_PROPERTIES, pbBuffer)) return E_INVALIDARG;
    AM_SAMPLE2_PROPERTIES next = {};
    CopyMemory(&next, properties, offsetof(AM_SAMPLE2_PROPERTIES, pbBuffer));
    if (next.lActual < 0 || next.lActual > props_.cbBuffer) return VFW_E_BUFFER_OVERFLOW;
    const bool typed = (next.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && next.pMediaType;
    HRESULT hr = SetMediaType(typed ? next.pMediaType : nullptr);
    if (FAILED(hr)) return hr;
    props_.dwTypeSpecificFlags = next.dwTypeSpecificFlags;
    props_.dwSampleFlags =
        (next.dwSampleFlags & ~AM_SAMPLE_TYPECHANGED) | (props_.dwSampleFlags & AM_SAMPLE_TYPECHANGED);
    props_.lActual = next.lActual;
    props_.tStart = next.tStart;
    props_.tStop = next.tStop;
    props_.dwStreamId = next.dwStreamId;
    return S_OK;
}
