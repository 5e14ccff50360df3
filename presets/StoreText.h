#pragma once
#include <cstddef>
#include <string>

// Text helpers of the preset system. Names, banks and class keys compare ordinally with
// only A-Z folded to a-z, so that "_" sorts before letters whatever the locale.
int CompareFolded(const char* a, const char* b);
bool EqualFolded(const char* a, const char* b);
bool ContainsFolded(const char* text, const char* part);

// Copies at most size - 1 characters and always terminates; null copies as empty.
void CopyBounded(char* destination, size_t size, const char* source);

// printf-style formatting into a string of whatever length the result needs.
std::string FormatText(const char* format, ...);
