// Aggregation, the class factory and the module's unload decision, over this program's class
// table: the half-gain filter and a class whose construction always fails.
#include <gtest/gtest.h>
#include <wrl/client.h>
#include <new>
#include "ClassFactory.h"
#include "HalfGainFilter.h"
#include "OuterUnknown.h"

using Microsoft::WRL::ComPtr;

namespace {

// {5B0E3C64-1B7E-4F0D-8E21-6A6D1C3F9A02}
constexpr CLSID CLSID_RefusingClass = {0x5b0e3c64, 0x1b7e, 0x4f0d, {0x8e, 0x21, 0x6a, 0x6d, 0x1c, 0x3f, 0x9a, 0x02}};

// A half-gain filter; with `refuse`, a complete object and yet a failure, as a constructor
// that ran out of a resource would leave it.
template <bool refuse>
IUnknown* Create(IUnknown* outer, HRESULT* hr) {
    auto* filter = new (std::nothrow) HalfGainFilter(outer);
    *hr = refuse ? E_ABORT : filter ? S_OK : E_OUTOFMEMORY;
    return filter ? filter->NonDelegating() : nullptr;
}

}  // namespace

const FactoryTemplate g_FactoryTemplates[] = {
    {L"Half Gain Test Filter", &CLSID_HalfGainFilter, Create<false>, nullptr},
    {L"Refusing Test Class", &CLSID_RefusingClass, Create<true>, nullptr},
};
const int g_FactoryTemplateCount = 2;

namespace {

ComPtr<IClassFactory> FactoryFor(REFCLSID clsid) {
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(S_OK, ServerGetClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(factory.GetAddressOf())));
    return factory;
}

TEST(ComObject, AggregatedFilterSpeaksForTheOuterObject) {
    OuterUnknown outer;
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
