// The class table of this test program: the half-gain filter (a registrable filter) and a
// class whose construction always fails.
#include <new>
#include "ClassFactory.h"
#include "HalfGainFilter.h"
#include "TestTemplates.h"

namespace {

const REGPINTYPES kAudioAny = {&MEDIATYPE_Audio, &GUID_NULL};
const REGFILTERPINS kPins[] = {
    {const_cast<LPWSTR>(L"Input"), FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, const_cast<LPWSTR>(L"Output"), 1, &kAudioAny},
    {const_cast<LPWSTR>(L"Output"), FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, const_cast<LPWSTR>(L"Input"), 1, &kAudioAny},
};
REGFILTER2 MakeSetup() {
    REGFILTER2 setup = {};
    setup.dwVersion = 1;
    setup.dwMerit = MERIT_DO_NOT_USE;
    setup.cPins = 2;
    setup.rgPins = kPins;
    return setup;
}
const REGFILTER2 kSetup = MakeSetup();

// Builds a complete object, then reports failure, as a constructor that ran out of a
// resource would.
IUnknown* CreateRefusing(IUnknown* outer, HRESULT* hr) {
    auto* filter = new (std::nothrow) HalfGainFilter(outer);
    *hr = E_ABORT;
    return filter ? filter->NonDelegating() : nullptr;
}

}  // namespace

const FactoryTemplate g_FactoryTemplates[] = {
    {L"Half Gain Test Filter", &CLSID_HalfGainFilter, CreateHalfGainFilter, &kSetup},
    {L"Refusing Test Class", &CLSID_RefusingClass, CreateRefusing, nullptr},
};
const int g_FactoryTemplateCount = 2;
