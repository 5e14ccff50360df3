#pragma once
// AM_MEDIA_TYPE memory helpers (format blocks live in task memory, as COM callers expect)
// and a small owning value class.
#include <windows.h>
#include <dshow.h>

// Deep copy; dst must not own memory yet. E_OUTOFMEMORY leaves dst empty.
HRESULT CopyMediaType(AM_MEDIA_TYPE* dst, const AM_MEDIA_TYPE* src);
// Frees the format block and the held IUnknown, leaving the record empty but valid.
void FreeMediaType(AM_MEDIA_TYPE& mt);
// Frees a record made by CreateMediaType (or handed out by an enumerator) and its contents.
void DeleteMediaType(AM_MEDIA_TYPE* mt);
// A CoTaskMem-allocated deep copy, or null when memory runs out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* src);
// Same major type, subtype, format type and byte-equal format block.
bool MediaTypesEqual(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
// True when a partially specified type (null GUIDs meaning "any") admits the full type.
bool MediaTypeMatchesPartial(const AM_MEDIA_TYPE& full, const AM_MEDIA_TYPE& partial);

class MediaType {
public:
    MediaType();
    explicit MediaType(const AM_MEDIA_TYPE& src);
    MediaType(const MediaType& other);
    MediaType& operator=(const MediaType& other);
    ~MediaType();

    // Replaces the held type with a copy of src (or empties it for null).
    HRESULT Set(const AM_MEDIA_TYPE* src);
    void Clear();
    bool IsEmpty() const;

    const AM_MEDIA_TYPE& Get() const { return mt_; }
    AM_MEDIA_TYPE* Raw() { return &mt_; }
    bool operator==(const MediaType& other) const { return MediaTypesEqual(mt_, other.mt_); }
    bool operator!=(const MediaType& other) const { return !(*this == other); }

private:
    AM_MEDIA_TYPE mt_;
};
