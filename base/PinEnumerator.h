#pragma once
// IEnumPins over a filter's pins, holding a reference on the filter.
#include <windows.h>
#include <dshow.h>
#include "UnknownObject.h"

class TransformFilter;

class PinEnumerator : public UnknownObject, public IEnumPins {
public:
    PinEnumerator(TransformFilter* filter, ULONG position);
    ~PinEnumerator() override;

    FORWARD_IUNKNOWN_TO_OWNER
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;

    HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override;
    HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Clone(IEnumPins** out) override;

private:
    TransformFilter* filter_;
    ULONG position_;
};
