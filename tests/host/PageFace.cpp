#include "PageFace.h"

#include <windows.h>

#include <ocidl.h>
#include <wrl/client.h>

#include <cstring>

#include "FilterModule.h"
#include "qvRuvodaR3.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr int kFaceBitmap = 103;

// The pixels of `bitmap`'s first `width` x `height`, drawn through a 24-bit top-down DIB.
void ReadPixels(HDC source, int width, int height, Image& image) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP dib = CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height * 3);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    for (int y = 0; y < height; ++y)
        std::memcpy(&image.pixels[static_cast<size_t>(y) * width * 3], static_cast<uint8_t*>(bits) + y * stride,
                    static_cast<size_t>(width) * 3);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
}

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
    HDC screen = GetDC(nullptr);
    HDC source = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(source, bitmap);
    ReadPixels(source, header.bmWidth, header.bmHeight, face);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
    DeleteObject(bitmap);
    return true;
}

bool PaintPageBackground(const std::string& dllPath, int width, int height, Image& painted, std::string& error) {
    FilterModule module;
    if (module.Load(dllPath, error) != 0) return false;
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    bool done = false;
    {
        ComPtr<IBaseFilter> filter;
        IClassFactory* factory = nullptr;
        ComPtr<IPropertyPage> page;
        if (module.CreateFilter(filter.GetAddressOf(), error) == 0 &&
            module.GetClassObject(CLSID_RuvodaR3Page, "property page", &factory, error) == 0) {
            factory->CreateInstance(nullptr, IID_IPropertyPage, reinterpret_cast<void**>(page.GetAddressOf()));
            factory->Release();
        }
        HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, width, height, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        IUnknown* objects[] = {filter.Get()};
        const RECT rect{0, 0, width, height};
        if (page && SUCCEEDED(page->SetObjects(1, objects)) && SUCCEEDED(page->Activate(parent, &rect, TRUE))) {
            HWND window = GetWindow(parent, GW_CHILD);
            HDC screen = GetDC(nullptr);
            HDC canvas = CreateCompatibleDC(screen);
            HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
            HGDIOBJ old = SelectObject(canvas, bitmap);
            SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas), 0);
            ReadPixels(canvas, width, height, painted);
            SelectObject(canvas, old);
            DeleteObject(bitmap);
            DeleteDC(canvas);
            ReleaseDC(nullptr, screen);
            page->Deactivate();
            page->SetObjects(0, nullptr);
            done = true;
        } else if (error.empty()) {
            error = "the property page cannot be shown";
        }
        DestroyWindow(parent);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    return done;
}
