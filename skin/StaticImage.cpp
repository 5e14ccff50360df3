#include "StaticImage.h"

#include "ControlPaint.h"
#include "ControlRender.h"
#include "SkinControl.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"

namespace {

constexpr int kNoBitmap = -1;

struct StaticImageState {
    HBITMAP background;  // kept like every control's, though the picture covers it
    int bitmapId;        // BITMAP resource id, negative = none
};

// Copies the bitmap's top-left client-sized part; without a picture the buffer stays as created.
class StaticImageContent : public ControlContent {
public:
    StaticImageContent(HWND window, int bitmapId) : window(window), bitmapId(bitmapId) {}

    void Draw(HDC dc, const RECT& client) override {
        // Resource ids are 1 to 0xFFFF: 0 makes no name, and anything larger would be taken for
        // a pointer to one.
        if (bitmapId <= 0 || bitmapId > 0xFFFF) return;
        const auto module = reinterpret_cast<HINSTANCE>(GetClassLongPtrA(window, GCLP_HMODULE));
        HBITMAP picture = LoadBitmapA(module, MAKEINTRESOURCEA(bitmapId));
        if (!picture) return;
        HDC pictureDC = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(pictureDC, picture);
        BitBlt(dc, 0, 0, client.right, client.bottom, pictureDC, 0, 0, SRCCOPY);
        SelectObject(pictureDC, old);
        DeleteDC(pictureDC);
        DeleteObject(picture);
    }

private:
    HWND window;
    int bitmapId;
};

class StaticImage : public SkinControl {
public:
    StaticImage(HWND window, StaticImageState& state) : SkinControl(window), s(state) {}

    static void Init(HWND, StaticImageState& s, const CREATESTRUCTA& create) {
        s.background = static_cast<HBITMAP>(create.lpCreateParams);
        s.bitmapId = kNoBitmap;
    }

    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
        switch (message) {
            case QVIM_SETBITMAP:
                s.bitmapId = static_cast<int>(wParam);
                InvalidateRect(window_, nullptr, FALSE);
                return true;
            case WM_LBUTTONDOWN:
            case WM_LBUTTONDBLCLK:
                PostMessageA(GetParent(window_), QVIN_CLICKED, GetDlgCtrlID(window_), lParam);
                return true;
        }
        return SkinControl::Handle(message, wParam, lParam, result);
    }

protected:
    // The picture covers the control, so no background is copied under it.
    void Paint(HDC target) override {
        StaticImageContent content(window_, s.bitmapId);
        RenderControl(window_, nullptr, content, target);
    }

private:
    StaticImageState& s;
};

}  // namespace

LRESULT CALLBACK StaticImageProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<StaticImageState, StaticImage>(hwnd, message, wParam, lParam);
}

void RegisterStaticImageClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kStaticImageClassName, StaticImageProc);
}
