#include "Rle8Decoder.h"

int Rle8RowStride(int width) {
    return (width + 3) & ~3;
}

size_t DecodeRle8(const uint8_t* data, size_t size, int width, int height, uint8_t* pixels) {
    const int stride = Rle8RowStride(width);
    int x = 0, y = 0;  // y counts rows from the bottom, as the data does
    size_t i = 0;
    auto put = [&](uint8_t value) {
        if (x < width && y < height) pixels[static_cast<size_t>(y) * stride + x] = value;
        ++x;
    };
    while (i + 1 < size) {
        const uint8_t count = data[i], value = data[i + 1];
        i += 2;
        if (count != 0) {  // encoded run
            for (int n = 0; n < count; ++n) put(value);
            continue;
        }
        if (value == 0) {  // end of line
            x = 0;
            ++y;
        } else if (value == 1) {  // end of bitmap
            break;
        } else if (value == 2) {  // delta right and down
            if (i + 1 >= size) break;
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {  // absolute run, padded to an even byte count
            const size_t padded = (static_cast<size_t>(value) + 1) & ~static_cast<size_t>(1);
            if (size - i < padded) break;
            for (int n = 0; n < value; ++n) put(data[i + n]);
            i += padded;
        }
    }
    return i;
}
