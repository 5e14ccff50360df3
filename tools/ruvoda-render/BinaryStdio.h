#pragma once
#include <cstdio>
#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

// WAVE data through standard input or output must pass byte for byte: Windows would
// otherwise translate line ends.
inline void SetBinaryMode(std::FILE* stream) {
#ifdef _WIN32
    _setmode(_fileno(stream), _O_BINARY);
#else
    (void)stream;
#endif
}
