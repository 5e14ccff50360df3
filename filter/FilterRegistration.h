#pragma once
// What the module registers: the class-factory table and the filter-mapper record, plus
// the pin description and the Filter key that hosts listing audio plug-ins read.
#include <windows.h>

// Writes the legacy Pins description under the filter's class key and the Filter key.
// Best effort: registry failures are not reported.
void RegisterLegacyFilterKeys();

// Deletes the Filter key of every class in the template table; best effort.
void UnregisterLegacyFilterKeys();
