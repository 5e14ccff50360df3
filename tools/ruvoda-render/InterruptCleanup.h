#pragma once
#include <string>

// Removes `path` if the program is interrupted (Ctrl+C or a termination request), so that a
// render stopped half-way leaves no temporary file behind. An empty path disarms it.
void RemoveOnInterrupt(const std::string& path);
