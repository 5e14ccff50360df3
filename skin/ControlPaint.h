#pragma once
// The painting scheme every skinned control shares: the control's buffer (ControlBuffer)
// with the part of the editor background that lies under the control, the control's own
// drawing over it, and one copy to the window.
#include <windows.h>

// What a control draws over its background copy.
class ControlContent {
public:
    virtual ~ControlContent() = default;
    virtual void Draw(HDC dc, const RECT& client) = 0;
};

// Paints `window` at once. A null `background` skips the background copy.
void PaintControl(HWND window, HBITMAP background, ControlContent& content);

// The window's top-left corner in its parent's client coordinates: where it sits on the face.
POINT PlaceOnParent(HWND window);

// Copies the part of `background` (the parent's face) that lies under the client rectangle
// `area` of `window` into `dc` at the same client coordinates.
void CopyControlBackground(HWND window, HBITMAP background, HDC dc, const RECT& area);

// Answers WM_PAINT while it lives (BeginPaint to EndPaint). Its DC is what WindowDc gives for
// the window meanwhile: under Wine every DC asked of the window system is a server request.
class PaintCycle {
public:
    explicit PaintCycle(HWND window);
    virtual ~PaintCycle();
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;

    // The painting DC of the innermost cycle of `window` on this thread, else null.
    static HDC DcOf(HWND window);

private:
    HWND window_;
    PAINTSTRUCT paint_;
    PaintCycle* outer_;
};

// A DC on the window's client area for drawing at once: the paint cycle's, or one asked for.
class WindowDc {
public:
    explicit WindowDc(HWND window);
    virtual ~WindowDc();
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;

    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
    bool owned_;
};

// True when the window's display has more than 8 bits per pixel.
bool IsFullColourDisplay(HWND window);
