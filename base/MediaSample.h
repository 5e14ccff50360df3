#pragma once
// One buffer of a MemAllocator as a media sample. The allocator owns it for the life of its
// buffers; a holder's last Release resets the sample's properties and hands it back.
#include <windows.h>
#include <dshow.h>

class MemAllocator;

class MediaSample final : public IMediaSample2 {
public:
    MediaSample(MemAllocator* owner, BYTE* buffer, long size);
    ~MediaSample();
    MediaSample(const MediaSample&) = delete;
    MediaSample& operator=(const MediaSample&) = delete;

    // IUnknown: IMediaSample and IMediaSample2.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IMediaSample
    HRESULT STDMETHODCALLTYPE GetPointer(BYTE** buffer) override;
    long STDMETHODCALLTYPE GetSize() override;
    HRESULT STDMETHODCALLTYPE GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    HRESULT STDMETHODCALLTYPE SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    HRESULT STDMETHODCALLTYPE IsSyncPoint() override;
    HRESULT STDMETHODCALLTYPE SetSyncPoint(BOOL on) override;
    HRESULT STDMETHODCALLTYPE IsPreroll() override;
    HRESULT STDMETHODCALLTYPE SetPreroll(BOOL on) override;
    long STDMETHODCALLTYPE GetActualDataLength() override;
    HRESULT STDMETHODCALLTYPE SetActualDataLength(long length) override;
    HRESULT STDMETHODCALLTYPE GetMediaType(AM_MEDIA_TYPE** type) override;
    HRESULT STDMETHODCALLTYPE SetMediaType(AM_MEDIA_TYPE* type) override;
    HRESULT STDMETHODCALLTYPE IsDiscontinuity() override;
    HRESULT STDMETHODCALLTYPE SetDiscontinuity(BOOL on) override;
    HRESULT STDMETHODCALLTYPE GetMediaTime(LONGLONG* start, LONGLONG* stop) override;
    HRESULT STDMETHODCALLTYPE SetMediaTime(LONGLONG* start, LONGLONG* stop) override;

    // IMediaSample2: the properties as one record; the buffer fields are read-only.
    HRESULT STDMETHODCALLTYPE GetProperties(DWORD size, BYTE* properties) override;
    HRESULT STDMETHODCALLTYPE SetProperties(DWORD size, const BYTE* properties) override;

    // Called by the allocator as it hands the sample out: one reference (the properties were
    // reset when the sample came back).
    void Hand();

private:
    HRESULT SetFlag(DWORD flag, BOOL on);
    HRESULT IsFlag(DWORD flag) const { return (props_.dwSampleFlags & flag) ? S_OK : S_FALSE; }
    void ClearMediaType();

    MemAllocator* owner_;
    LONG refs_ = 0;
    AM_SAMPLE2_PROPERTIES props_ = {};
    bool mediaTimeSet_ = false;
    LONGLONG mediaStart_ = 0, mediaStop_ = 0;
};
