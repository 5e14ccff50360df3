#pragma once
// A private 32-bit top-down copy (B, G, R, reserved per pixel) of a rectangle of a DC, for the
// compositing primitives to change pixel by pixel and write back.
#include <windows.h>

#include <cstdint>
#include <vector>

class TargetPixels {
public:
    // Reads the width x height rectangle at (x, y) of `dc`; both sizes must be at least 1.
    TargetPixels(HDC dc, int x, int y, int width, int height);
    virtual ~TargetPixels() = default;

    uint8_t* Pixel(int index) { return &bits_[static_cast<size_t>(index) * 4]; }
    int Count() const { return width_ * height_; }
    int Width() const { return width_; }
    // Writes the pixels back to where they came from.
    void WriteBack();

    // The 32-bit top-down header these copies use.
    static BITMAPINFO Header(int width, int height);

private:
    HDC dc_;
    int x_, y_, width_, height_;
    std::vector<uint8_t> bits_;
};
