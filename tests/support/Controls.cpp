#include "Controls.h"

#include <gtest/gtest.h>

#include "SkinClasses.h"
#include "TargetPixels.h"

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

namespace {

constexpr int kParentWidth = 400, kParentHeight = 240;

// One top-level window for the whole program: hiding or destroying an active window under a
// bare X server costs seconds, so tests share it and only their controls come and go.
HWND SharedParentWindow(WNDPROC procedure) {
    static HWND window = nullptr;
    if (window) return window;
    HINSTANCE module = GetModuleHandleA(nullptr);
    RegisterSkinClasses(module);
    WNDCLASSA description = {};
    description.lpfnWndProc = procedure;
    description.hInstance = module;
    description.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    description.lpszClassName = "SkinTestParent";
    RegisterClassA(&description);
    window = CreateWindowExA(0, "SkinTestParent", "skin test", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                             100, 100, kParentWidth, kParentHeight, nullptr, nullptr, module, nullptr);
    SetForegroundWindow(window);
    SetActiveWindow(window);
    return window;
}

void Fill(HDC dc, int width, int height, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT all = {0, 0, width, height};
    FillRect(dc, &all, brush);
    DeleteObject(brush);
}

BOOL CALLBACK DestroyChild(HWND child, LPARAM parent) {
    if (GetParent(child) == reinterpret_cast<HWND>(parent)) DestroyWindow(child);
    return TRUE;
}

}  // namespace

TestParent::TestParent() {
    window_ = SharedParentWindow(Procedure);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetFocus(window_);

    HDC screen = GetDC(nullptr);
    // Exact colours read back from the screen need a true-colour display: say so once.
    if (GetDeviceCaps(screen, BITSPIXEL) < 24)
        ADD_FAILURE() << "these tests need a display of 24 or 32 bits per pixel (scripts/test.sh runs Xvfb at 24)";
    background_ = CreateCompatibleBitmap(screen, kParentWidth, kParentHeight);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, background_);
    Fill(dc, kParentWidth, kParentHeight, kBackground);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    PumpMessages();
}

TestParent::~TestParent() {
    EnumChildWindows(window_, DestroyChild, reinterpret_cast<LPARAM>(window_));
    PumpMessages();
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DeleteObject(background_);
}

HWND TestParent::CreateControl(const char* className, DWORD style, int x, int y, int width, int height,
                               int id, const char* text) {
    HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                                   window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   GetModuleHandleA(nullptr), background_);
    EXPECT_NE(control, nullptr) << className;
    PumpMessages();
    log_.clear();
    return control;
}

std::vector<Message> TestParent::Take() {
    PumpMessages();
    std::vector<Message> taken;
    taken.swap(log_);
    return taken;
}

std::vector<int> TestParent::TakeFrom(HWND control, UINT message) {
    std::vector<int> words;
    for (const Message& n : Take()) {
        if (n.message != message) continue;
        EXPECT_EQ(LOWORD(n.wParam), GetDlgCtrlID(control));
        EXPECT_EQ(n.lParam, reinterpret_cast<LPARAM>(control));
        words.push_back(static_cast<short>(HIWORD(n.wParam)));
    }
    return words;
}

LRESULT CALLBACK TestParent::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TestParent*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    LRESULT result = 0;
    if (self && self->answer && self->answer(message, wParam, lParam, result)) return result;
    if (self && (message == WM_COMMAND || message >= WM_USER)) {
        self->log_.push_back({message, wParam, lParam});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<BYTE> SolidImage(int width, int height, BYTE r, BYTE g, BYTE b, BYTE t) {
    std::vector<BYTE> image;
    for (int i = 0; i < width * height; ++i) image.insert(image.end(), {r, g, b, t});
    return image;
}

Canvas::Canvas(int width, int height, COLORREF fill, Surface surface) : dc_(CreateCompatibleDC(nullptr)) {
    if (surface == Surface::DeviceBitmap) {
        HDC screen = GetDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
    } else {
        BITMAPINFO info = TargetPixels::Header(width, height);
        if (surface == Surface::BottomUpDib) info.bmiHeader.biHeight = height;
        void* bits = nullptr;
        bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    }
    old_ = SelectObject(dc_, bitmap_);
    Fill(dc_, width, height, fill);
}

Canvas::~Canvas() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

COLORREF BitmapPixel(HBITMAP bitmap, int x, int y) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colour = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return colour;
}

void ExpectPixels(HWND window, const std::vector<Spot>& spots, const char* what) {
    for (const Spot& s : spots)
        EXPECT_EQ(WindowPixel(window, s.x, s.y), s.colour) << what << " at (" << s.x << ", " << s.y << ")";
}

void Press(HWND control, int x, int y) { SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, At(x, y)); }

void MoveTo(HWND control, int x, int y) { SendMessageA(control, WM_MOUSEMOVE, MK_LBUTTON, At(x, y)); }

void Release(HWND control, int x, int y) { SendMessageA(control, WM_LBUTTONUP, 0, At(x, y)); }
