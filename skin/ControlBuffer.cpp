#include "ControlBuffer.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

#include "ControlPaint.h"
#include "TargetPixels.h"

namespace {

// The buffers of all skinned windows of the process, by window. The window classes keep
// their extra bytes for the state record; pages may run on more than one thread.
std::mutex buffersLock;
std::unordered_map<HWND, std::unique_ptr<ControlBuffer>> buffers;

}  // namespace

ControlBuffer::~ControlBuffer() {
    if (!dc_) return;
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

ControlBuffer* ControlBuffer::Of(HWND window) {
    std::lock_guard<std::mutex> lock(buffersLock);
    std::unique_ptr<ControlBuffer>& buffer = buffers[window];
    if (!buffer) buffer.reset(new (std::nothrow) ControlBuffer);
    return buffer.get();
}

void ControlBuffer::Free(HWND window) {
    std::lock_guard<std::mutex> lock(buffersLock);
    buffers.erase(window);
}

bool ControlBuffer::Resize(int width, int height) {
    if (dc_ && width == width_ && height == height_) return true;
    if (!dc_) {
        dc_ = CreateCompatibleDC(nullptr);
        if (!dc_) return false;
    }
    BITMAPINFO info = TargetPixels::Header(width, height);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return false;
    HGDIOBJ old = SelectObject(dc_, bitmap);
    if (bitmap_)
        DeleteObject(bitmap_);
    else
        oldBitmap_ = old;
    bitmap_ = bitmap;
    bits_ = static_cast<uint8_t*>(bits);
    width_ = width;
    height_ = height;
    backgroundCopy_.clear();
    return true;
}

bool ControlBuffer::Prepare(HWND window, HBITMAP background, int width, int height) {
    if (!Resize(width, height)) return false;
    if (!background) return true;
    const POINT origin = PlaceOnParent(window);
    const size_t bytes = static_cast<size_t>(width) * height * 4;
    if (backgroundCopy_.empty() || background != background_ || origin.x != origin_.x || origin.y != origin_.y) {
        const RECT client = {0, 0, width, height};
        CopyControlBackground(window, background, dc_, client);
        GdiFlush();
        backgroundCopy_.assign(bits_, bits_ + bytes);
        background_ = background;
        origin_ = origin;
        return true;
    }
    GdiFlush();  // the last paint's drawing must be done before its pixels are replaced
    std::memcpy(bits_, backgroundCopy_.data(), bytes);
    return true;
}
