#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A 24-bit picture in the row layout of a BMP file: rows bottom-up, blue-green-red, each
// row padded to a multiple of 4 bytes.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rows;

    static int Stride(int width) { return (width * 3 + 3) & ~3; }
};

// Writes `picture` as a BMP file, first under a temporary name that is renamed when
// complete, so a failed write leaves no partial file. 0, or -1 with `error` set.
int WriteBmp(const std::string& path, const Picture& picture, std::string& error);
