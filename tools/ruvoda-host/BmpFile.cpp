#include "BmpFile.h"

#include <windows.h>

#include <cstdio>

int WriteBmp(const std::string& path, const Picture& picture, std::string& error) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = picture.width;
    info.biHeight = picture.height;  // positive: bottom-up rows
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(picture.rows.size());
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;

    const std::string temporary = path + ".tmp";
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out) {
        error = "cannot create " + path;
        return -1;
    }
    bool written = std::fwrite(&file, sizeof file, 1, out) == 1 && std::fwrite(&info, sizeof info, 1, out) == 1 &&
                   std::fwrite(picture.rows.data(), 1, picture.rows.size(), out) == picture.rows.size();
    written = std::fclose(out) == 0 && written;
    if (!written || !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        std::remove(temporary.c_str());
        error = "cannot write " + path;
        return -1;
    }
    return 0;
}
