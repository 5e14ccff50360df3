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

// Validates the update region for WM_PAINT (controls paint through their own DC).
void ValidatePaint(HWND window);

// True when the window's display has more than 8 bits per pixel.
bool IsFullColourDisplay(HWND window);
