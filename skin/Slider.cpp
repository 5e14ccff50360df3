#include "Slider.h"

#include "ControlPaint.h"
#include "ControlRender.h"
#include "InlineEditor.h"
#include "PenLine.h"
#include "SkinBlend.h"
#include "SkinControl.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"
#include "WheelStep.h"

namespace {

constexpr int kThumbHeight = 16;
constexpr int kThumbGrabWidth = 26;  // a press this far right of the thumb's left edge grabs it
constexpr int kTickInset = 12;       // ticks sit under the thumb's centre

struct SliderState {
    int tracking;
    int moved;
    int squaredDrag;
    int skipNextMove;
    short lastCoord;
    HCURSOR savedCursor;
    HBITMAP background;
    SkinImage thumbImage;
    POINT pressPoint;
    int grabbedThumb;
    int thumbX;
    int value;
    int minimum, maximum;
    int range;
    int tickStep;
    int tickOffset;
    int lastWheelTime;
    int pageSize;
    int groove;
    int thumbLength;
    int firstPaint;
};

int ThumbPosition(const SliderState& s, int width, int value) {
    if (s.range == 0) return 0;
    const long long travel = width - s.thumbLength;
    return static_cast<int>((s.range / 2 + (static_cast<long long>(value) - s.minimum) * travel) / s.range);
}

int Clamp(const SliderState& s, long long value) {
    if (value < s.minimum) return s.minimum;
    if (value > s.maximum) return s.maximum;
    return static_cast<int>(value);
}

class SliderContent : public ControlContent {
public:
    SliderContent(HWND window, SliderState& state) : window_(window), s_(state) {}

    void Draw(HDC dc, const RECT& client) override {
        const int width = client.right, height = client.bottom;
        const bool enabled = IsWindowEnabled(window_) != FALSE;
        if (s_.groove) {
            const COLORREF colour = enabled ? 0x202020 : 0xA0A0A0;
            const int y = (height - 4) / 2 - 2;
            DrawPenLine(dc, 4, y, width - 4, y, colour);
            DrawPenLine(dc, 4, y + 1, width - 4, y + 1, colour);
            if (!enabled) {
                // The faded thumb would let the groove show through: clear it where the thumb was.
                RECT strip = {s_.thumbX, 0, s_.thumbX + s_.thumbLength - 3, height};
                CopyControlBackground(window_, s_.background, dc, strip);
            }
            if (s_.tickStep > 0) DrawTicks(dc, width, height);
        }
        const bool lit = enabled && (s_.tracking || GetFocus() == window_);
        s_.thumbX = ThumbPosition(s_, width, s_.value);
        BlendSkinImage(dc, s_.thumbX, 0, s_.thumbLength, kThumbHeight, s_.thumbImage,
                       enabled ? 255 : 192, lit ? kDefaultTint : 0, kBlendLightAll);
    }

private:
    void DrawTick(HDC dc, int width, int height, int v) {
        const int x = kTickInset + ThumbPosition(s_, width, v);
        if (v == s_.minimum || v == 0 || v == s_.maximum)
            DrawPenLine(dc, x, height - 10, x, height - 4, 0x505050);
        else
            DrawPenLine(dc, x, height - 8, x, height - 4, 0x888888);
    }

    void DrawTicks(HDC dc, int width, int height) {
        long long v = s_.minimum;  // wide, so stepping past a maximum near INT_MAX ends the loop
        while (v <= s_.maximum) {
            DrawTick(dc, width, height, static_cast<int>(v));
            if (v == s_.minimum) v += s_.tickOffset;
            v += s_.tickStep;
        }
        DrawTick(dc, width, height, s_.maximum);
    }

    HWND window_;
    SliderState& s_;
};

// Paints at once, or into `target` when one is given.
void PaintSlider(HWND window, SliderState& s, HDC target = nullptr) {
    SliderContent content(window, s);
    RenderControl(window, s.background, content, target);
}

void Send(HWND window, UINT message, WPARAM wParam) {
    SendMessageA(GetParent(window), message, wParam, reinterpret_cast<LPARAM>(window));
}

// Applies a user step: clamps, repaints and reports; `endTrack` for steps that are complete.
void Step(HWND window, SliderState& s, long long delta, bool endTrack) {
    s.value = Clamp(s, s.value + delta);
    PaintSlider(window, s);
    Send(window, QVSN_POSCHANGED, static_cast<WPARAM>(s.value));
    if (endTrack) Send(window, QVSN_ENDTRACK, 0);
}

void OnButtonDown(HWND window, SliderState& s, LPARAM position) {
    s.tracking = 1;
    s.lastCoord = static_cast<short>(LOWORD(position));
    PaintSlider(window, s);
    SetCapture(window);
    s.savedCursor = SetCursor(nullptr);  // the pointer hides while dragging
    s.moved = 0;
    s.grabbedThumb = 0;
    GetCursorPos(&s.pressPoint);
    SetFocus(window);
    s.grabbedThumb = s.thumbX <= s.lastCoord && s.lastCoord < s.thumbX + kThumbGrabWidth;
}

void OnMouseMove(HWND window, SliderState& s, LPARAM position) {
    if (!s.tracking) return;
    POINT pointer;
    GetCursorPos(&pointer);
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    if (!(desktop.left < pointer.x && pointer.x < desktop.right - 1 && desktop.top < pointer.y &&
          pointer.y < desktop.bottom - 1)) {
        // Jump back to the middle so a drag never stops at a screen edge.
        s.skipNextMove = 1;
        SetCursorPos((desktop.left + desktop.right) / 2, (desktop.top + desktop.bottom) / 2);
        return;
    }
    const short x = static_cast<short>(LOWORD(position));
    long long delta = x - s.lastCoord;
    s.lastCoord = x;
    s.moved = 1;
    if (s.skipNextMove) {  // the move the jump caused
        s.skipNextMove = 0;
        return;
    }
    if (s.squaredDrag) {
        if (delta > 0) delta = delta * delta / 2 + 1;
        else if (delta < 0) delta = -1 - delta * delta / 2;
    }
    Step(window, s, delta, false);
}

void OnButtonUp(HWND window, SliderState& s) {
    if (!s.tracking) return;
    ReleaseCapture();
    s.tracking = 0;
    PaintSlider(window, s);
    if (s.moved) {
        if (s.grabbedThumb) {
            RECT placed;
            GetWindowRect(window, &placed);
            SetCursorPos(placed.left + s.thumbX + 12, (placed.top + placed.bottom) / 2 - 2);
        } else {
            SetCursorPos(s.pressPoint.x, s.pressPoint.y);
        }
        Send(window, QVSN_ENDTRACK, 0);
    }
    SetCursor(s.savedCursor);
}

void OnWheel(HWND window, SliderState& s, WPARAM wParam) {
    const int wheel = static_cast<short>(HIWORD(wParam));
    Step(window, s, AcceleratedWheelDelta(wheel, static_cast<int>(GetMessageTime()), s.lastWheelTime),
         true);
}

bool OnKey(HWND window, SliderState& s, WPARAM key) {
    long long delta;
    switch (key) {
    case VK_PRIOR: delta = s.pageSize; break;
    case VK_NEXT: delta = -static_cast<long long>(s.pageSize); break;
    case VK_END: delta = static_cast<long long>(s.maximum) - s.value; break;
    case VK_HOME: delta = static_cast<long long>(s.minimum) - s.value; break;
    case VK_LEFT:
    case VK_DOWN: Step(window, s, -1, true); return true;
    case VK_RIGHT:
    case VK_UP: Step(window, s, 1, true); return true;
    default: return false;
    }
    if (delta != 0) Step(window, s, delta, true);
    return true;
}

void OnSetRange(HWND window, SliderState& s, int minimum, int maximum) {
    if (minimum == s.minimum && maximum == s.maximum) return;
    s.minimum = minimum;
    s.maximum = maximum;
    s.range = maximum - minimum;
    if (s.pageSize == 0) {
        RECT client;
        GetClientRect(window, &client);
        const int usable = client.right - 4 > 1 ? client.right - 4 : 1;
        s.pageSize = static_cast<int>(static_cast<long long>(s.range) * 15 / usable);
        if (s.pageSize < 1) s.pageSize = 1;
    }
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

void OnSetPos(HWND window, SliderState& s, int value, bool paintNow) {
    if (value == s.value) return;
    s.value = value;
    InvalidateRect(window, nullptr, FALSE);
    if (paintNow) PaintSlider(window, s);
}

class Slider : public SkinControl {
public:
    Slider(HWND window, SliderState& state) : SkinControl(window), s_(state) {}

    static void Init(HWND, SliderState& s, const CREATESTRUCTA& create) {
        s.background = static_cast<HBITMAP>(create.lpCreateParams);
        s.tickStep = 20;
        s.groove = 1;
        s.thumbLength = 29;
        s.firstPaint = 1;
    }

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        HWND window = window_;
        SliderState& s = s_;
        switch (message) {
        case WM_GETDLGCODE:
            *result = DLGC_WANTARROWS;
            return true;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            PaintSlider(window, s);
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
            Send(window, QVSN_DBLCLK, static_cast<WPARAM>(GetDlgCtrlID(window)));
            return true;
        case WM_MOUSEWHEEL:
            if (!OpenInlineEditorWindow()) OnWheel(window, s, wParam);
            return true;
        case WM_KEYDOWN:
            return OnKey(window, s, wParam);
        case QVSM_GETPOS:
            *result = s.value;
            return true;
        case QVSM_SETPOS:
            OnSetPos(window, s, static_cast<int>(wParam), lParam != 0);
            return true;
        case QVSM_SETRANGE:
            OnSetRange(window, s, static_cast<int>(wParam), static_cast<int>(lParam));
            return true;
        case QVSM_SETSQUAREDDRAG:
            s.squaredDrag = wParam != 0;
            return true;
        case QVSM_SETTICKSTEP:
            s.tickStep = static_cast<int>(wParam);
            return true;
        case QVSM_SETPAGESIZE:
            s.pageSize = static_cast<int>(wParam);
            return true;
        case QVSM_SETTICKOFFSET:
            s.tickOffset = static_cast<int>(wParam);
            return true;
        case QVSM_SETTHUMBIMAGE:
            s.thumbImage = reinterpret_cast<SkinImage>(wParam);
            return true;
        case QVSM_SETGROOVE:
            s.groove = wParam != 0;
            return true;
        case QVSM_SETTHUMBLENGTH:
            s.thumbLength = static_cast<int>(wParam);
            return true;
        default:
            return SkinControl::Handle(message, wParam, lParam, result);
        }
    }

protected:
    void Paint(HDC target) override {
        PaintSlider(window_, s_, target);
        if (s_.firstPaint) {  // the disabled strip needs the thumb position of a previous paint
            s_.firstPaint = 0;
            PaintSlider(window_, s_, target);
        }
    }

private:
    SliderState& s_;
};

}  // namespace

LRESULT CALLBACK SliderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<SliderState, Slider>(window, message, wParam, lParam);
}

void RegisterSliderClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kSliderClassName, SliderProc);
}
