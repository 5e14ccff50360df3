#include "StaticText.h"

#include <cstring>

#include "ControlPaint.h"
#include "ControlRender.h"
#include "SkinControl.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"

namespace {

constexpr int kMaxText = 255;

struct StaticTextState {
    HBITMAP background;
    HFONT font;  // WM_SETFONT; not owned; null = the stock GUI font
};

class StaticTextContent : public ControlContent {
public:
    StaticTextContent(HWND window, HFONT font) : window(window), font(font) {}

    void Draw(HDC dc, const RECT& client) override {
        char text[kMaxText + 1];
        const int length = GetWindowTextA(window, text, sizeof text);
        HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(DEFAULT_GUI_FONT));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        RECT area = client;
        // Not single-line: the text starts at the top edge, as the editor's labels expect.
        DrawTextA(dc, text, length, &area, DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS);
        SelectObject(dc, old);
    }

private:
    HWND window;
    HFONT font;
};

class StaticText : public SkinControl {
public:
    StaticText(HWND window, StaticTextState& state) : SkinControl(window), s(state) {}

    static void Init(HWND, StaticTextState& s, const CREATESTRUCTA& create) {
        s.background = static_cast<HBITMAP>(create.lpCreateParams);
    }

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        switch (message) {
            case WM_SETTEXT: {  // DefWindowProc stores the text
                // Level texts are rewritten on every tick; the same text needs neither a paint
                // nor storing again (which is a request to the window system).
                char shown[256] = "";
                GetWindowTextA(window_, shown, sizeof shown);
                const char* text = reinterpret_cast<const char*>(lParam);
                if (text && std::strlen(text) < sizeof shown - 1 && std::strcmp(shown, text) == 0) {
                    *result = TRUE;
                    return true;
                }
                InvalidateRect(window_, nullptr, FALSE);
                return false;
            }
            case WM_SETFONT:
                s.font = reinterpret_cast<HFONT>(wParam);
                if (LOWORD(lParam)) InvalidateRect(window_, nullptr, FALSE);
                return true;
            case WM_GETFONT: *result = reinterpret_cast<LRESULT>(s.font); return true;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK: {
                const WORD id = static_cast<WORD>(GetDlgCtrlID(window_));
                PostMessageA(GetParent(window_), WM_COMMAND, MAKEWPARAM(id, 0),
                             reinterpret_cast<LPARAM>(window_));
                return false;
            }
        }
        return SkinControl::Handle(message, wParam, lParam, result);
    }

protected:
    void Paint(HDC target) override {
        StaticTextContent content(window_, s.font);
        RenderControl(window_, s.background, content, target);
    }

private:
    StaticTextState& s;
};

}  // namespace

LRESULT CALLBACK StaticTextProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<StaticTextState, StaticText>(hwnd, message, wParam, lParam);
}

void RegisterStaticTextClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kStaticTextClassName, StaticTextProc);
}
