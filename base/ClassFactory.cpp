#include "ClassFactory.h"
#include <new>

namespace {
volatile LONG g_serverLocks = 0;
}

long ServerLockCount() {
    return InterlockedCompareExchange(&g_serverLocks, 0, 0);
}

ClassFactory::ClassFactory(const FactoryTemplate& entry) : UnknownObject(nullptr), entry_(entry) {}

HRESULT STDMETHODCALLTYPE ClassFactory::NonDelegatingQueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IClassFactory)) return GetInterface(static_cast<IClassFactory*>(this), out);
    return UnknownObject::NonDelegatingQueryInterface(iid, out);
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    // An aggregating object may only ask for the inner object's own IUnknown.
    if (outer && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
    HRESULT hr = S_OK;
    IUnknown* object = entry_.create(outer, &hr);
    if (!object) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    // A failed constructor still hands over the object, which the Release below deletes.
    object->AddRef();
    if (SUCCEEDED(hr)) hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock) {
    if (lock)
        InterlockedIncrement(&g_serverLocks);
    else
        InterlockedDecrement(&g_serverLocks);
    return S_OK;
}

HRESULT ServerGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    for (int i = 0; i < g_FactoryTemplateCount; ++i) {
        const FactoryTemplate& entry = g_FactoryTemplates[i];
        if (!entry.clsid || !IsEqualCLSID(clsid, *entry.clsid)) continue;
        auto* factory = new (std::nothrow) ClassFactory(entry);
        if (!factory) return E_OUTOFMEMORY;
        factory->NonDelegatingAddRef();
        HRESULT hr = factory->NonDelegatingQueryInterface(iid, out);
        factory->NonDelegatingRelease();
        return hr;
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

HRESULT ServerCanUnloadNow() {
    return ModuleObjectCount() == 0 && ServerLockCount() == 0 ? S_OK : S_FALSE;
}
