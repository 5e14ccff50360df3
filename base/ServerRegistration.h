#pragma once
// Self-registration of every class in the template table: the COM entries under
// HKEY_CLASSES_ROOT\CLSID and, for templates with a setup record, the filter mapper's
// entry in the legacy DirectShow filter category.
#include <windows.h>

// InprocServer32 = the module's path, ThreadingModel "Both", default value = the name.
HRESULT ServerRegister(HMODULE module);
// Removes the filter-mapper entries and the class keys with everything under them. Entries
// that are already gone are not an error.
HRESULT ServerUnregister();
