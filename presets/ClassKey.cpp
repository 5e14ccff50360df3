#include "ClassKey.h"

#include "GuidKeyPath.h"

std::string ClassKeyPath(const GUID& id) {
    std::string path = "SOFTWARE\\Classes\\";
    for (wchar_t c : GuidKeyPath(L"CLSID", id)) path += static_cast<char>(c);  // all ASCII
    return path;
}
