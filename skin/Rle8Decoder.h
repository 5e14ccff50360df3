#pragma once
// Decoding of run-length encoded 8-bit DIB pixel data.
#include <cstddef>
#include <cstdint>

// Bytes per row of an uncompressed 8-bit DIB: the width rounded up to a multiple of 4.
int Rle8RowStride(int width);

// Decodes `size` bytes of RLE8 data into `pixels`, a zeroed bottom-up buffer of `height` rows
// of Rle8RowStride(width) bytes. Runs and deltas that leave the image are cut off; truncated
// data ends the decoding. Returns the number of input bytes consumed.
size_t DecodeRle8(const uint8_t* data, size_t size, int width, int height, uint8_t* pixels);
