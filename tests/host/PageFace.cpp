#include "PageFace.h"

#include <windows.h>

#include <cstring>

namespace {

constexpr int kFaceBitmap = 103;

}  // namespace

bool LoadFace(const std::string& dllPath, Image& face) {
    HMODULE module = LoadLibraryExA(dllPath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return false;
    HBITMAP bitmap = static_cast<HBITMAP>(
        LoadImageW(module, MAKEINTRESOURCEW(kFaceBitmap), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    FreeLibrary(module);
    if (!bitmap) return false;
    BITMAP header{};
    GetObjectW(bitmap, sizeof header, &header);
    // Read back top row first as 24-bit blue-green-red, whatever depth the resource has.
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, header.bmWidth, -header.bmHeight, 1, 24, BI_RGB};
    face.width = header.bmWidth;
    face.height = header.bmHeight;
    const size_t stride = (static_cast<size_t>(face.width) * 3 + 3) & ~size_t{3};
    std::vector<uint8_t> rows(stride * face.height);
    HDC screen = GetDC(nullptr);
    const int read = GetDIBits(screen, bitmap, 0, face.height, rows.data(), &info, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    face.pixels.resize(static_cast<size_t>(face.width) * face.height * 3);
    for (int y = 0; y < face.height; ++y)
        std::memcpy(&face.pixels[static_cast<size_t>(y) * face.width * 3], &rows[y * stride],
                    static_cast<size_t>(face.width) * 3);
    return read == face.height;
}
