#include "UnknownObject.h"

namespace {
volatile LONG g_objectCount = 0;
}

long ModuleObjectCount() {
    return InterlockedCompareExchange(&g_objectCount, 0, 0);
}

UnknownObject::UnknownObject(IUnknown* outer)
    : owner_(outer ? outer : reinterpret_cast<IUnknown*>(static_cast<INonDelegatingUnknown*>(this))) {
    InterlockedIncrement(&g_objectCount);
}

UnknownObject::~UnknownObject() {
    InterlockedDecrement(&g_objectCount);
}

HRESULT STDMETHODCALLTYPE UnknownObject::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown)) return GetInterface(NonDelegating(), out);
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE UnknownObject::NonDelegatingAddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

ULONG STDMETHODCALLTYPE UnknownObject::NonDelegatingRelease() {
    LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
        // Guard against a re-entrant release from the destructor's own cleanup.
        refs_ = 1;
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT UnknownObject::GetInterface(IUnknown* itf, void** out) {
    if (!out) return E_POINTER;
    itf->AddRef();
    *out = itf;
    return S_OK;
}
