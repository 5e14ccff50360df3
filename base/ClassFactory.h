#pragma once
// The class objects of this server: one factory per request over the module's template
// table, with server locks and live objects deciding whether the DLL may unload.
#include <windows.h>
#include <strmif.h>
#include "UnknownObject.h"

struct FactoryTemplate {
    const wchar_t* name;
    const CLSID* clsid;
    // Makes a new object aggregated by outer (null: none) and returns its nondelegating
    // IUnknown (UnknownObject::NonDelegating()) with no reference counted yet; null on
    // failure, with *hr set. hr holds S_OK on entry.
    IUnknown* (*create)(IUnknown* outer, HRESULT* hr);
    // Filter-mapper registration record, or null for classes that are not filters.
    const REGFILTER2* setup;
};

// Defined by the module that links this library.
extern const FactoryTemplate g_FactoryTemplates[];
extern const int g_FactoryTemplateCount;

class ClassFactory : public UnknownObject, public IClassFactory {
public:
    explicit ClassFactory(const FactoryTemplate& entry);

    FORWARD_IUNKNOWN_TO_OWNER
    HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** out) override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

private:
    const FactoryTemplate& entry_;
};

// DllGetClassObject: CLASS_E_CLASSNOTAVAILABLE for a class not in the table.
HRESULT ServerGetClassObject(REFCLSID clsid, REFIID iid, void** out);
// DllCanUnloadNow: S_OK when no object lives and no server lock is held, else S_FALSE.
HRESULT ServerCanUnloadNow();
// Outstanding IClassFactory::LockServer(TRUE) calls.
long ServerLockCount();
