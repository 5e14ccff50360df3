#pragma once
#include <string>

// The folder of the running program with a trailing separator, where the programs find
// what the build puts beside them (the filter DLL, the factory presets); empty when the
// system cannot tell.
std::string ProgramFolder();

// The folder part of `path`, up to and with its last separator; empty when it has none.
std::string FolderOf(std::string path);
