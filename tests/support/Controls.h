#pragma once
// Drives skinned controls in real windows: a host window that records the notifications it
// receives, real mouse messages, skin images built in memory and canvases whose pixels the
// tests read back.
#include <windows.h>

#include <functional>
#include <vector>

// A window message, as sent or as recorded.
struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The editor's stand-in: a visible top-level window (shared by all tests of the program) at
// (100, 100) on the screen, 400 x 240, with a background picture of one colour. Registers
// the eight control classes with the test program's module.
class TestParent {
public:
    static constexpr COLORREF kBackground = RGB(40, 80, 120);

    TestParent();
    virtual ~TestParent();  // destroys the controls created through it
    TestParent(const TestParent&) = delete;
    TestParent& operator=(const TestParent&) = delete;

    HWND Window() const { return window_; }
    // A child control at (x, y), created with the background picture as creation parameter.
    HWND CreateControl(const char* className, DWORD style, int x, int y, int width, int height, int id,
                       const char* text = nullptr);
    // Dispatches everything posted so far, then hands over (and forgets) what was recorded.
    std::vector<Message> Take();
    // Takes what was recorded and keeps the high words of the `message` notifications, each
    // checked to name `control` by its id (the low word) and its window (lParam).
    std::vector<int> TakeFrom(HWND control, UINT message);
    // When set, answers each message it returns true for (with the result it sets) instead
    // of recording it.
    std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)> answer;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    HBITMAP background_ = nullptr;
    std::vector<Message> log_;
};

// Dispatches every message waiting for this thread.
void PumpMessages();

// A width x height skin image with every pixel (r, g, b, t).
std::vector<BYTE> SolidImage(int width, int height, BYTE r, BYTE g, BYTE b, BYTE t);

// What a memory DC draws on: a 32-bit DIB section or a bitmap of the screen's format.
enum class Surface { TopDownDib, BottomUpDib, DeviceBitmap };

// A memory DC on a width x height surface filled with one colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF fill, Surface surface = Surface::TopDownDib);
    virtual ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC Dc() const { return dc_; }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ old_;
};

// The colour of a window's client pixel as it shows on screen.
COLORREF WindowPixel(HWND window, int x, int y);
// The colour of a bitmap's pixel.
COLORREF BitmapPixel(HBITMAP bitmap, int x, int y);

// A pixel expected at (x, y) of a window's client area.
struct Spot {
    int x, y;
    COLORREF colour;
};
// Each spot must show its colour; a failure names `what` and the spot.
void ExpectPixels(HWND window, const std::vector<Spot>& spots, const char* what);

// Mouse message position.
inline LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}
// Mouse messages with a client position, sent the way a real mouse delivers them.
void Press(HWND control, int x, int y);
void MoveTo(HWND control, int x, int y);
void Release(HWND control, int x, int y);
