#include "ClassKey.h"

#include "StoreText.h"

std::string ClassKeyPath(const GUID& id) {
    return FormatText("SOFTWARE\\Classes\\CLSID\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                      static_cast<unsigned long>(id.Data1), id.Data2, id.Data3, id.Data4[0],
                      id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5],
                      id.Data4[6], id.Data4[7]);
}
