#pragma once
// The pixels of a rectangle of a DC as 32-bit B, G, R, reserved, for the compositing
// primitives to change pixel by pixel. When the DC draws into a 32-bit DIB section with no
// clipping or mapping that touches the rectangle, the section's own pixels are changed in
// place; otherwise a private copy is read and written back (each way costs GDI objects).
#include <windows.h>

#include <cstdint>
#include <vector>

class TargetPixels {
public:
    // The width x height rectangle at (x, y) of `dc`; both sizes must be at least 1.
    TargetPixels(HDC dc, int x, int y, int width, int height);
    virtual ~TargetPixels() = default;

    // The first pixel of row `y` of the rectangle; the row's pixels follow it.
    uint8_t* Row(int y) { return first_ + static_cast<ptrdiff_t>(y) * stride_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Makes the changes show in the DC (nothing to do when they were made in place).
    void WriteBack();

    // The 32-bit top-down header these copies use.
    static BITMAPINFO Header(int width, int height);

private:
    bool OpenInPlace();

    HDC dc_;
    int x_, y_, width_, height_;
    std::vector<uint8_t> copy_;  // empty when working in place
    uint8_t* first_ = nullptr;
    ptrdiff_t stride_ = 0;
};
