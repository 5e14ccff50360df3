#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Running ruvoda-host as a user would, and reading what it leaves behind.

// A file beside the test program (the host and the DLL are built there).
std::string BesideTests(const char* name);
// A folder of this test process for its files, ending in a separator; it goes when the
// process ends.
std::string ScratchFolder();

struct HostRun {
    DWORD exitCode = ~0u;  // ~0u: it did not start or did not end in time
    std::string errors;    // what it wrote to stderr
};

// Runs ruvoda-host.exe with `arguments` (already quoted as needed) and waits for it.
HostRun RunHost(const std::string& arguments);

// Writes `bytes` to `path`; false when it cannot.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// A 24-bit picture, top row first, blue-green-red, in rows of `stride` bytes.
struct Image {
    int width = 0;
    int height = 0;
    size_t stride = 0;
    std::vector<uint8_t> pixels;

    COLORREF At(int x, int y) const {
        const uint8_t* p = &pixels[static_cast<size_t>(y) * stride + static_cast<size_t>(x) * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

// Reads the BMP file at `path`; false when it cannot.
bool ReadBmp(const std::string& path, Image& image);

// The page's face as the module at `dllPath` holds it (its BITMAP 103); false without one.
bool LoadFace(const std::string& dllPath, Image& face);
