#pragma once
#include <string>

// The folder of the running program with a trailing separator, where the programs find
// what the build puts beside them (the filter DLL, the factory presets); empty when the
// system cannot tell.
std::string ProgramFolder();
