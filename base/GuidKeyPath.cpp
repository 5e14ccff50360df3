#include "GuidKeyPath.h"

#include <objbase.h>

std::wstring GuidKeyPath(const wchar_t* parent, const GUID& id) {
    wchar_t text[40] = L"";
    StringFromGUID2(id, text, ARRAYSIZE(text));
    return std::wstring(parent) + L"\\" + text;
}
