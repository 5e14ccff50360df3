#include "FilterRegistration.h"

#include <dshow.h>
#include <uuids.h>

#include <cstring>
#include <string>

#include "ClassFactory.h"
#include "GuidKeyPath.h"
#include "ReverbFilter.h"
#include "ReverbEditor.h"
#include "qvRuvodaR3.h"

namespace {

const wchar_t kFilterName[] = L"Quillorn qv:Ruvoda R3";

const REGPINTYPES kPinTypes = {&MEDIATYPE_Audio, &GUID_NULL};
const REGFILTERPINS kPins[2] = {
    {const_cast<LPWSTR>(L"Input"), FALSE, FALSE, FALSE, FALSE, &CLSID_NULL, L"Output", 1, &kPinTypes},
    {const_cast<LPWSTR>(L"Output"), FALSE, TRUE, FALSE, FALSE, &CLSID_NULL, L"Input", 1, &kPinTypes},
};
const REGFILTER2 kFilterSetup = {1, MERIT_DO_NOT_USE, {{2, kPins}}};

void SetDword(HKEY key, const wchar_t* name, DWORD value) {
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

// Pins\<name> with its flags and Types\<major>\<subtype>.
void WritePinKey(HKEY pins, const wchar_t* name, DWORD direction) {
    HKEY pin = nullptr;
    if (RegCreateKeyExW(pins, name, 0, nullptr, 0, KEY_WRITE, nullptr, &pin, nullptr) != ERROR_SUCCESS)
        return;
    SetDword(pin, L"AllowedMany", 0);
    SetDword(pin, L"AllowedZero", 0);
    SetDword(pin, L"Direction", direction);
    SetDword(pin, L"IsRendered", 0);
    const std::wstring path = GuidKeyPath(GuidKeyPath(L"Types", MEDIATYPE_Audio).c_str(), GUID_NULL);
    HKEY types = nullptr;
    if (RegCreateKeyExW(pin, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &types, nullptr) == ERROR_SUCCESS)
        RegCloseKey(types);
    RegCloseKey(pin);
}

}  // namespace

const FactoryTemplate g_FactoryTemplates[] = {
    {kFilterName, &CLSID_RuvodaR3, &ReverbFilter::Create, &kFilterSetup},
    {L"Quillorn qv:Ruvoda R3 Property Page", &CLSID_RuvodaR3Page, &ReverbEditor::Create, nullptr},
};
const int g_FactoryTemplateCount = ARRAYSIZE(g_FactoryTemplates);

void RegisterLegacyFilterKeys() {
    HKEY classKey = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, GuidKeyPath(L"CLSID", CLSID_RuvodaR3).c_str(), 0, KEY_WRITE,
                      &classKey) == ERROR_SUCCESS) {
        HKEY pins = nullptr;
        if (RegCreateKeyExW(classKey, L"Pins", 0, nullptr, 0, KEY_WRITE, nullptr, &pins, nullptr) ==
            ERROR_SUCCESS) {
            WritePinKey(pins, L"In", 0);
            WritePinKey(pins, L"Out", 1);
            RegCloseKey(pins);
        }
        RegCloseKey(classKey);
    }

    HKEY filterKey = nullptr;
    if (RegCreateKeyExW(HKEY_CLASSES_ROOT, GuidKeyPath(L"Filter", CLSID_RuvodaR3).c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &filterKey, nullptr) != ERROR_SUCCESS)
        return;
    char name[260] = "";
    WideCharToMultiByte(CP_ACP, 0, kFilterName, -1, name, sizeof(name), nullptr, nullptr);
    RegSetValueExA(filterKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(name),
                   static_cast<DWORD>(strlen(name) + 1));
    RegCloseKey(filterKey);
}

void UnregisterLegacyFilterKeys() {
    for (int i = 0; i < g_FactoryTemplateCount; ++i)
        RegDeleteKeyW(HKEY_CLASSES_ROOT, GuidKeyPath(L"Filter", *g_FactoryTemplates[i].clsid).c_str());
}
