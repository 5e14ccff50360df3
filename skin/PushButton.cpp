#include "PushButton.h"

#include <cstdlib>
#include <cstring>

#include "ControlFont.h"
#include "ControlPaint.h"
#include "ControlRender.h"
#include "FocusFrame.h"
#include "PenLine.h"
#include "SkinBlend.h"
#include "SkinControl.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"
#include "TransparentBlit.h"

namespace {

constexpr int kGlyphBitmapId = 7500;  // 7 x 11, magenta background
constexpr COLORREF kGlyphKey = 0xFF00FF;
constexpr COLORREF kLabelColour = 0x404040;
constexpr COLORREF kDisabledLabelColour = 0x808080;

enum PressSource : int { kNotPressed = 0, kMousePress = 1, kKeyPress = 2 };

struct PushButtonState {
    int pressSource;
    int inside;
    int drawnDown;
    int lit;
    int dblClkNotify;
    int arrowStyle;
    int glyphStyle;
    int narrowLitBorder;
    Tint tint;
    char* label;  // owned
    HBITMAP background;
    SkinImage normalImage;
    SkinImage pressedImage;
    RECT focusMargins;
};

class PushButtonContent : public ControlContent {
public:
    PushButtonContent(HWND window, const PushButtonState& state) : window_(window), s_(state) {}

    void Draw(HDC dc, const RECT& client) override {
        const bool enabled = IsWindowEnabled(window_) != FALSE;
        DrawFace(dc, client, enabled);
        RECT inner = client;
        InflateRect(&inner, -2, -2);
        if (s_.drawnDown) OffsetRect(&inner, 1, 1);
        int top = inner.top;
        if (s_.label) top = DrawLabel(dc, inner, enabled);
        if (s_.arrowStyle) DrawArrow(dc, top, inner.right);
        if (s_.glyphStyle) DrawGlyph(dc, top, inner.right);
        if (GetFocus() == window_) {
            RECT frame = inner;
            InflateRect(&frame, -1, -1);
            frame.left += s_.focusMargins.left;
            frame.top += s_.focusMargins.top;
            frame.right += s_.focusMargins.right;
            frame.bottom += s_.focusMargins.bottom;
            DrawFocusFrame(dc, frame);
        }
    }

private:
    void DrawFace(HDC dc, const RECT& client, bool enabled) {
        SkinImage image = s_.drawnDown && s_.pressedImage ? s_.pressedImage : s_.normalImage;
        if (!image) {
            Rectangle(dc, client.left, client.top, client.right, client.bottom);
            return;
        }
        const int mode = s_.lit && s_.narrowLitBorder ? kBlendLightNarrow : s_.lit;
        BlendSkinImage(dc, 0, 0, client.right, client.bottom, image, enabled ? 255 : 160,
                       s_.lit ? s_.tint : 0, mode);
    }

    // Returns the top of the text rectangle.
    int DrawLabel(HDC dc, const RECT& inner, bool enabled) {
        RECT text = inner;
        text.top += 1;
        if ((inner.bottom - inner.top) % 2 != 0) text.top += 1;
        UINT flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS;
        if (s_.arrowStyle || s_.glyphStyle) {
            text.left += 3;
            flags = DT_VCENTER | DT_END_ELLIPSIS;
        }
        HFONT font = CreateControlFont(dc);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, enabled ? kLabelColour : kDisabledLabelColour);
        DrawTextA(dc, s_.label, -1, &text, flags);
        SelectObject(dc, oldFont);
        DeleteControlFont(font);
        return text.top;
    }

    void DrawArrow(HDC dc, int top, int right) {
        for (int row = 0; row < 4; ++row)  // rows narrow from 7 pixels to 1
            DrawPenLine(dc, right - 10 + row, top + 5 + row, right - 3 - row, top + 5 + row, kLabelColour);
    }

    void DrawGlyph(HDC dc, int top, int right) {
        auto module = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window_, GCLP_HMODULE));
        HBITMAP glyph = LoadBitmapA(module, MAKEINTRESOURCEA(kGlyphBitmapId));
        TransparentBlit(dc, right - 10, top + 1, glyph, 0, 0, 7, 11, kGlyphKey);
        if (glyph) DeleteObject(glyph);
    }

    HWND window_;
    const PushButtonState& s_;
};

// Paints at once, or into `target` when one is given.
void PaintButton(HWND window, const PushButtonState& s, HDC target = nullptr) {
    PushButtonContent content(window, s);
    RenderControl(window, s.background, content, target);
}

void Notify(HWND window, WORD code) {
    SendMessageA(GetParent(window), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window)), code),
                 reinterpret_cast<LPARAM>(window));
}

void SetLabel(PushButtonState& s, const char* text) {
    std::free(s.label);
    s.label = nullptr;
    if (!text) return;
    const size_t size = std::strlen(text) + 1;
    s.label = static_cast<char*>(std::malloc(size));
    if (s.label) std::memcpy(s.label, text, size);
}

void OnButtonDown(HWND window, PushButtonState& s, bool doubleClick) {
    s.drawnDown = 1;
    PaintButton(window, s);
    if (s.pressSource == kNotPressed) s.pressSource = kMousePress;
    s.inside = 1;
    SetCapture(window);
    SetFocus(window);
    Notify(window, doubleClick && s.dblClkNotify ? QVBN_DBLCLK : QVBN_PRESSED);
}

void OnMouseMove(HWND window, PushButtonState& s, LPARAM position) {
    if (s.pressSource != kMousePress) return;
    RECT client;
    GetClientRect(window, &client);
    // Read unsigned, so that positions left of or above the button count as outside.
    const bool inside = LOWORD(position) < client.right && HIWORD(position) < client.bottom;
    if (inside == (s.inside != 0)) return;
    s.inside = inside;
    s.drawnDown = inside;
    PaintButton(window, s);
    Notify(window, inside ? QVBN_REENTER : QVBN_LEAVE);
}

void OnButtonUp(HWND window, PushButtonState& s) {
    if (s.pressSource == kNotPressed) return;
    s.pressSource = kNotPressed;
    ReleaseCapture();
    s.drawnDown = 0;
    PaintButton(window, s);
    if (s.inside) Notify(window, QVBN_CLICKED);
}

void OnCancelPress(HWND window) {
    SendMessageA(window, WM_LBUTTONUP, 0, 0);
    // Drop the click that closed the parent's popup, so it does not press the button again.
    MSG pending;
    PeekMessageA(&pending, window, WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, PM_REMOVE);
}

void OnSetCheck(HWND window, PushButtonState& s, int lit, bool paintNow) {
    if (lit == s.lit && !paintNow) return;
    s.lit = lit;
    InvalidateRect(window, nullptr, FALSE);
    if (paintNow) PaintButton(window, s);
}

LRESULT OnSetText(HWND window, PushButtonState& s, LPARAM lParam) {
    const auto* text = reinterpret_cast<const char*>(lParam);
    if (s.label && text && std::strcmp(s.label, text) == 0) return 0;
    SetLabel(s, text);
    InvalidateRect(window, nullptr, FALSE);
    PaintButton(window, s);
    return DefWindowProcA(window, WM_SETTEXT, 0, lParam);
}

class PushButton : public SkinControl {
public:
    PushButton(HWND window, PushButtonState& state) : SkinControl(window), s_(state) {}

    static void Init(HWND, PushButtonState& s, const CREATESTRUCTA& create) {
        s.background = static_cast<HBITMAP>(create.lpCreateParams);
        s.arrowStyle = (create.style & kPushButtonArrowStyle) != 0;
        s.glyphStyle = (create.style & kPushButtonGlyphStyle) != 0;
        s.tint = kDefaultTint;
        // A label given at creation shows at once, as one set later does.
        if (create.lpszName) SetLabel(s, create.lpszName);
    }

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        HWND window = window_;
        PushButtonState& s = s_;
        switch (message) {
        case WM_DESTROY:
            std::free(s.label);
            s.label = nullptr;
            return true;
        case WM_GETDLGCODE:
            *result = DLGC_UNDEFPUSHBUTTON | DLGC_WANTARROWS;
            return true;
        case WM_SETTEXT:
            *result = OnSetText(window, s, lParam);
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            PaintButton(window, s);
            return true;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            OnButtonDown(window, s, message == WM_LBUTTONDBLCLK);
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove(window, s, lParam);
            return true;
        case WM_LBUTTONUP:
            OnButtonUp(window, s);
            return true;
        case WM_KEYDOWN:
            if (wParam != VK_SPACE) return false;
            s.pressSource = kKeyPress;
            SendMessageA(window, WM_LBUTTONDOWN, 0, 0);
            return true;
        case WM_KEYUP:
            if (wParam != VK_SPACE) s.inside = 0;  // another key cancels the Space click
            SendMessageA(window, WM_LBUTTONUP, 0, 0);
            return true;
        case WM_RBUTTONDOWN:
            *result = SendMessageA(GetParent(window), QVBN_RCLICK,
                                  static_cast<WPARAM>(GetDlgCtrlID(window)), lParam);
            return true;
        case QVBM_SETCHECK:
            OnSetCheck(window, s, wParam != 0, lParam != 0);
            return true;
        case QVBM_GETCHECK:
            *result = s.lit;
            return true;
        case QVBM_REDRAW:
            InvalidateRect(window, nullptr, FALSE);
            if (lParam) PaintButton(window, s);
            return true;
        case QVBM_SETDBLCLKNOTIFY:
            s.dblClkNotify = wParam != 0;
            return true;
        case QVBM_CANCELPRESS:
            OnCancelPress(window);
            return true;
        case QVBM_SETIMAGES:
            s.normalImage = reinterpret_cast<SkinImage>(wParam);
            s.pressedImage = reinterpret_cast<SkinImage>(lParam);
            return true;
        case QVBM_SETFOCUSMARGINS:
            if (wParam) s.focusMargins = *reinterpret_cast<const RECT*>(wParam);
            s.narrowLitBorder = lParam != 0;
            return true;
        case QVBM_SETTINT:
            s.tint = static_cast<Tint>(wParam);
            return true;
        default:
            return SkinControl::Handle(message, wParam, lParam, result);
        }
    }

protected:
    void Paint(HDC target) override { PaintButton(window_, s_, target); }

private:
    PushButtonState& s_;
};

}  // namespace

LRESULT CALLBACK PushButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<PushButtonState, PushButton>(window, message, wParam, lParam);
}

void RegisterPushButtonClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kPushButtonClassName, PushButtonProc);
}
