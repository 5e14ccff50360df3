#include "SkinImage.h"

SkinImage LoadSkinImage(HMODULE module, int id) {
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!info) return nullptr;
    HGLOBAL data = LoadResource(module, info);
    if (!data) return nullptr;
    return static_cast<SkinImage>(LockResource(data));
}
