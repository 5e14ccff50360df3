// Object identity, aggregation, the class factory and the module's unload decision.
#include <gtest/gtest.h>
#include <wrl/client.h>
#include "ClassFactory.h"
#include "HalfGainFilter.h"
#include "TestTemplates.h"

using Microsoft::WRL::ComPtr;

namespace {

// A minimal aggregating object: answers IUnknown itself and hands everything else to the
// inner object's nondelegating IUnknown.
class Outer : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = static_cast<IUnknown*>(this);
            AddRef();
            return S_OK;
        }
        return inner ? inner->QueryInterface(iid, out) : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    ULONG refs = 1;
    IUnknown* inner = nullptr;
};

ComPtr<IClassFactory> FactoryFor(REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(S_OK, ServerGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())));
    return factory;
}

TEST(ComObject, QueryInterfaceKeepsOneIdentity) {
    ComPtr<IBaseFilter> filter;
    ASSERT_EQ(S_OK, FactoryFor(CLSID_HalfGainFilter)->CreateInstance(nullptr, IID_IBaseFilter,
                                                                     reinterpret_cast<void**>(filter.GetAddressOf())));
    ComPtr<IUnknown> a, b;
    ComPtr<IMediaFilter> media;
    ComPtr<IPersist> persist;
    ASSERT_EQ(S_OK, filter.As(&a));
    ASSERT_EQ(S_OK, filter.As(&media));
    ASSERT_EQ(S_OK, filter.As(&persist));
    ASSERT_EQ(S_OK, media.As(&b));
    EXPECT_EQ(a.Get(), b.Get());
    ComPtr<IPin> notHere;
    EXPECT_EQ(E_NOINTERFACE, filter.As(&notHere));
    // Every interface counts on the same object.
    ULONG before = filter->AddRef();
    EXPECT_EQ(before + 1, persist->AddRef());
    persist->Release();
    filter->Release();
}

TEST(ComObject, AggregatedFilterSpeaksForTheOuterObject) {
    Outer outer;
    ComPtr<IClassFactory> factory = FactoryFor(CLSID_HalfGainFilter);
    long baseline = ModuleObjectCount();
    // An aggregating object may only get the inner IUnknown.
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IBaseFilter, &refused));
    EXPECT_EQ(nullptr, refused);
    ASSERT_EQ(S_OK, factory->CreateInstance(&outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)));
    EXPECT_EQ(baseline + 1, ModuleObjectCount());

    IBaseFilter* filter = nullptr;
    ASSERT_EQ(S_OK, outer.QueryInterface(IID_IBaseFilter, reinterpret_cast<void**>(&filter)));
    EXPECT_EQ(2u, outer.refs);  // the interface counted on the outer object
    IUnknown* identity = nullptr;
    ASSERT_EQ(S_OK, filter->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
    identity->Release();
    // Pins count on the outer object too.
    IPin* pin = nullptr;
    ASSERT_EQ(S_OK, filter->FindPin(L"Input", &pin));
    EXPECT_EQ(3u, outer.refs);
    pin->Release();
    filter->Release();
    EXPECT_EQ(1u, outer.refs);

    EXPECT_EQ(0u, outer.inner->Release());
    outer.inner = nullptr;
    EXPECT_EQ(baseline, ModuleObjectCount());
}

TEST(ClassFactory, UnknownClassesAndFailedCreationLeaveNothingBehind) {
    void* out = reinterpret_cast<void*>(1);
    const CLSID unknown = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, ServerGetClassObject(unknown, IID_IClassFactory, &out));
    EXPECT_EQ(nullptr, out);
    EXPECT_EQ(E_POINTER, ServerGetClassObject(CLSID_HalfGainFilter, IID_IClassFactory, nullptr));
    long baseline = ModuleObjectCount();
    EXPECT_EQ(E_NOINTERFACE, ServerGetClassObject(CLSID_HalfGainFilter, IID_IBaseFilter, &out));
    EXPECT_EQ(baseline, ModuleObjectCount());  // the factory made for the refused request is gone
    {
        ComPtr<IClassFactory> factory = FactoryFor(CLSID_RefusingClass);
        out = reinterpret_cast<void*>(1);
        EXPECT_EQ(E_ABORT, factory->CreateInstance(nullptr, IID_IBaseFilter, &out));
        EXPECT_EQ(nullptr, out);
        EXPECT_EQ(baseline + 1, ModuleObjectCount());
    }
    EXPECT_EQ(baseline, ModuleObjectCount());
}

TEST(ClassFactory, ObjectsAndLocksKeepTheServerLoaded) {
    ASSERT_EQ(0, ModuleObjectCount());
    EXPECT_EQ(S_OK, ServerCanUnloadNow());
    ComPtr<IClassFactory> factory = FactoryFor(CLSID_HalfGainFilter);
    EXPECT_EQ(S_FALSE, ServerCanUnloadNow());
    ComPtr<IBaseFilter> first, second;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(first.GetAddressOf())));
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBaseFilter, reinterpret_cast<void**>(second.GetAddressOf())));
    EXPECT_NE(first.Get(), second.Get());
    EXPECT_EQ(3, ModuleObjectCount());
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    EXPECT_EQ(1, ServerLockCount());
    factory.Reset();
    first.Reset();
    EXPECT_EQ(1, ModuleObjectCount());
    // Enumerators keep the filter (and so the module) alive.
    ComPtr<IEnumPins> pins;
    ASSERT_EQ(S_OK, second->EnumPins(&pins));
    second.Reset();
    EXPECT_EQ(2, ModuleObjectCount());
    pins.Reset();
    EXPECT_EQ(0, ModuleObjectCount());
    EXPECT_EQ(S_FALSE, ServerCanUnloadNow());  // still locked
    factory = FactoryFor(CLSID_HalfGainFilter);
    ASSERT_EQ(S_OK, factory->LockServer(FALSE));
    factory.Reset();
    EXPECT_EQ(0, ServerLockCount());
    EXPECT_EQ(S_OK, ServerCanUnloadNow());
}

}  // namespace
