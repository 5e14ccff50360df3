#include "Edit.h"

#include <cstring>

#include "ControlFont.h"
#include "ControlPaint.h"
#include "ControlRender.h"
#include "FocusFrame.h"
#include "InlineEditor.h"
#include "SkinBlend.h"
#include "SkinControl.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"
#include "WheelStep.h"

namespace {

constexpr COLORREF kShadowColour = 0xCBC7C5;
constexpr COLORREF kTextColour = 0x454140;
constexpr COLORREF kDisabledTextColour = 0x909090;
constexpr int kPageStep = 10;
constexpr int kEndStep = 17504;  // far beyond any field's range: the parent clamps

struct EditState {
    int tracking;
    short lastX, lastY;
    int verticalAxis;
    int squaredDrag;
    int reverse;
    int lastWheelTime;
    HBITMAP background;
    SkinImage faceImage;
};

class EditContent : public ControlContent {
public:
    EditContent(HWND window, const EditState& state) : window_(window), s_(state) {}

    void Draw(HDC dc, const RECT& client) override {
        const bool enabled = IsWindowEnabled(window_) != FALSE;
        BlendSkinImage(dc, 0, 0, client.right, client.bottom, s_.faceImage, enabled ? 255 : 160, 0,
                       kBlendLightAll);
        if (GetFocus() == window_) {
            RECT frame = client;
            InflateRect(&frame, -2, -2);
            DrawEditFocusFrame(dc, frame);
        }
        RECT text = client;
        InflateRect(&text, -3, -3);
        if ((text.bottom - text.top) % 2 != 0) text.top += 1;
        text.right -= 2;
        UINT flags = DT_VCENTER | DT_END_ELLIPSIS;
        if (GetWindowLongA(window_, GWL_STYLE) & kEditRightAlignStyle) flags |= DT_RIGHT;
        char shown[256];
        GetWindowTextA(window_, shown, sizeof shown);
        HFONT font = CreateControlFont(dc);
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        RECT shadow = text;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, kShadowColour);
        DrawTextA(dc, shown, -1, &shadow, flags);
        SetTextColor(dc, enabled ? kTextColour : kDisabledTextColour);
        DrawTextA(dc, shown, -1, &text, flags);
        SelectObject(dc, oldFont);
        DeleteControlFont(font);
    }

private:
    HWND window_;
    const EditState& s_;
};

// Paints at once, or into `target` when one is given.
void PaintEdit(HWND window, const EditState& s, HDC target = nullptr) {
    EditContent content(window, s);
    RenderControl(window, s.background, content, target);
}

// Posts a step to the parent; only the low 16 bits of the delta travel.
void PostStep(HWND window, long long delta) {
    PostMessageA(GetParent(window), QVEN_STEP,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window)), static_cast<WORD>(delta)),
                 reinterpret_cast<LPARAM>(window));
}

void OnButtonDown(HWND window, EditState& s, LPARAM position) {
    s.lastX = static_cast<short>(LOWORD(position));
    s.lastY = static_cast<short>(HIWORD(position));
    s.tracking = 1;
    SetCapture(window);
    SetFocus(window);
    PaintEdit(window, s);
}

void OnMouseMove(HWND window, EditState& s, LPARAM position) {
    if (!s.tracking) return;
    const short x = static_cast<short>(LOWORD(position));
    const short y = static_cast<short>(HIWORD(position));
    const long long dx = x - s.lastX;
    const long long dy = s.lastY - y;  // up is positive
    const long long ax = dx < 0 ? -dx : dx, ay = dy < 0 ? -dy : dy;
    // Hysteresis: the other axis must clearly dominate before the drag switches to it.
    if (!s.verticalAxis && 2 * ax < ay) s.verticalAxis = 1;
    else if (s.verticalAxis && 2 * ay < ax) s.verticalAxis = 0;
    long long delta = s.verticalAxis ? dy : dx;
    if (s.reverse) delta = -delta;
    s.lastX = x;
    s.lastY = y;
    if (s.squaredDrag) delta = delta * (delta < 0 ? -delta : delta);
    PostStep(window, delta);
}

void OnButtonUp(HWND window, EditState& s) {
    if (!s.tracking) return;
    ReleaseCapture();
    s.tracking = 0;
    PaintEdit(window, s);
}

void OnWheel(HWND window, EditState& s, WPARAM wParam) {
    int wheel = static_cast<short>(HIWORD(wParam));
    if (s.reverse) wheel = -wheel;
    PostStep(window, AcceleratedWheelDelta(wheel, static_cast<int>(GetMessageTime()), s.lastWheelTime));
}

bool OnKey(HWND window, WPARAM key) {
    switch (key) {
    case VK_SPACE: OpenInlineEditor(window); return true;
    case VK_PRIOR: PostStep(window, kPageStep); return true;
    case VK_NEXT: PostStep(window, -kPageStep); return true;
    case VK_END: PostStep(window, kEndStep); return true;
    case VK_HOME: PostStep(window, -kEndStep); return true;
    case VK_LEFT:
    case VK_DOWN: PostStep(window, -1); return true;
    case VK_RIGHT:
    case VK_UP: PostStep(window, 1); return true;
    default: return false;
    }
}

LRESULT OnSetText(HWND window, LPARAM lParam) {
    const char* text = lParam ? reinterpret_cast<const char*>(lParam) : "";
    char current[128];
    SendMessageA(window, WM_GETTEXT, sizeof current, reinterpret_cast<LPARAM>(current));
    if (std::strcmp(current, text) == 0) return 0;  // same text: no repaint
    InvalidateRect(window, nullptr, FALSE);
    return DefWindowProcA(window, WM_SETTEXT, 0, lParam);
}

class Edit : public SkinControl {
public:
    Edit(HWND window, EditState& state) : SkinControl(window), s_(state) {}

    static void Init(HWND, EditState& s, const CREATESTRUCTA& create) {
        s.background = static_cast<HBITMAP>(create.lpCreateParams);
        s.squaredDrag = (create.style & kEditLinearDragStyle) ? 0 : 1;
    }

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        HWND window = window_;
        EditState& s = s_;
        switch (message) {
        case WM_GETDLGCODE:
            *result = DLGC_WANTARROWS;
            return true;
        case WM_SETTEXT:
            *result = OnSetText(window, lParam);
            return true;
        case WM_SETFOCUS:
            PaintEdit(window, s);
            return true;
        case WM_KILLFOCUS:
            PostStep(window, 0);  // show the value again
            if (s.tracking) OnButtonUp(window, s);
            else PaintEdit(window, s);
            return true;
        case WM_LBUTTONDOWN:
            OnButtonDown(window, s, lParam);
            return true;
        case WM_MOUSEMOVE:
            OnMouseMove(window, s, lParam);
            return true;
        case WM_LBUTTONUP:
            OnButtonUp(window, s);
            return true;
        case WM_LBUTTONDBLCLK:
            OpenInlineEditor(window);
            return true;
        case WM_RBUTTONDOWN:
            return s.tracking != 0;  // swallowed during a drag
        case WM_MOUSEWHEEL:
            if (!OpenInlineEditorWindow()) OnWheel(window, s, wParam);
            return true;
        case WM_KEYDOWN:
            return OnKey(window, wParam);
        case QVEM_SETSQUAREDDRAG:
            s.squaredDrag = wParam != 0;
            return true;
        case QVEM_SETFLAGS:
            s.reverse = (wParam & kEditReverseFlag) != 0;
            return true;
        case QVEM_SETIMAGE:
            s.faceImage = reinterpret_cast<SkinImage>(wParam);
            return true;
        default:
            return SkinControl::Handle(message, wParam, lParam, result);
        }
    }

protected:
    void Paint(HDC target) override { PaintEdit(window_, s_, target); }

private:
    EditState& s_;
};

}  // namespace

LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<EditState, Edit>(window, message, wParam, lParam);
}

void RegisterEditClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kEditClassName, EditProc);
}
