#include "FrameCapture.h"

#include <cstring>

namespace {

struct FrameSearch {
    const std::wstring* caption;
    HWND found;
};

BOOL CALLBACK MatchFrame(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<FrameSearch*>(param);
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    if (IsWindowVisible(window) && wcsstr(title, search->caption->c_str())) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

struct PageSearch {
    SIZE size;
    HWND found;
};

BOOL CALLBACK MatchPage(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<PageSearch*>(param);
    RECT rect{};
    GetWindowRect(window, &rect);
    if (IsWindowVisible(window) && rect.right - rect.left == search->size.cx &&
        rect.bottom - rect.top == search->size.cy) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindFrameWindow(const std::wstring& caption) {
    FrameSearch search{&caption, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchFrame, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool FindPageRect(HWND frame, SIZE size, RECT& page) {
    PageSearch search{size, nullptr};
    EnumChildWindows(frame, MatchPage, reinterpret_cast<LPARAM>(&search));
    if (!search.found) return false;
    RECT frameRect{}, pageRect{};
    GetWindowRect(frame, &frameRect);
    GetWindowRect(search.found, &pageRect);
    page = {pageRect.left - frameRect.left, pageRect.top - frameRect.top, pageRect.right - frameRect.left,
            pageRect.bottom - frameRect.top};
    return true;
}

int CaptureWindow(HWND window, Picture& picture, std::string& error) {
    RECT rect{};
    GetWindowRect(window, &rect);
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    if (picture.width <= 0 || picture.height <= 0) {
        error = "the property frame has no area to capture";
        return -1;
    }
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture.width;
    info.bmiHeader.biHeight = picture.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    // The window's own device context: its pixels even where another window covers it.
    HDC source = GetWindowDC(window);
    HDC memory = CreateCompatibleDC(source);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    bool copied = false;
    if (memory && dib) {
        HGDIOBJ old = SelectObject(memory, dib);
        copied = BitBlt(memory, 0, 0, picture.width, picture.height, source, 0, 0, SRCCOPY) != FALSE;
        GdiFlush();
        SelectObject(memory, old);
    }
    if (copied) {
        const auto* begin = static_cast<const uint8_t*>(bits);
        picture.rows.assign(begin, begin + static_cast<size_t>(Picture::Stride(picture.width)) * picture.height);
    }
    if (dib) DeleteObject(dib);
    if (memory) DeleteDC(memory);
    ReleaseDC(window, source);
    if (!copied) {
        error = "cannot copy the property frame's pixels";
        return -1;
    }
    return 0;
}
