#pragma once
// IEnumMediaTypes over a pin's preferred types (its GetMediaType), holding a reference on
// the pin. Each type handed out is a CreateMediaType copy the caller frees with DeleteMediaType.
#include <windows.h>
#include <dshow.h>
#include "UnknownObject.h"

class TransformPin;

class MediaTypeEnumerator : public UnknownObject, public IEnumMediaTypes {
public:
    MediaTypeEnumerator(TransformPin* pin, ULONG position);
    ~MediaTypeEnumerator() override;

    FORWARD_IUNKNOWN_TO_OWNER
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** out) override;

private:
    TransformPin* pin_;
    ULONG position_;
};
