#pragma once
// The off-screen picture a skinned control paints into: a 32-bit DIB section of the client
// size in a memory DC, kept with the window for its life, and a copy of the part of the
// editor background under the control. Making GDI objects costs far more than drawing a
// control, so both are made once and remade only when the size, the place or the background
// changes (the background is a picture that is never drawn on). Freed in WM_DESTROY.
#include <windows.h>

#include <cstdint>
#include <vector>

class ControlBuffer {
public:
    ~ControlBuffer();

    // The window's buffer, made on first use; null when out of memory.
    static ControlBuffer* Of(HWND window);
    // Frees the window's buffer, if it has one.
    static void Free(HWND window);

    // Makes the buffer `width` x `height` (both at least 1) and fills it with the part of
    // `background` under the client rectangle of `window` (nothing for a null one). False when
    // the bitmap cannot be made.
    bool Prepare(HWND window, HBITMAP background, int width, int height);
    HDC Dc() const { return dc_; }

private:
    bool Resize(int width, int height);

    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ oldBitmap_ = nullptr;
    uint8_t* bits_ = nullptr;
    int width_ = 0, height_ = 0;
    // What the background copy shows: which bitmap, from where; empty before the first.
    HBITMAP background_ = nullptr;
    POINT origin_ = {};
    std::vector<uint8_t> backgroundCopy_;
};
