#include "FreqDisplay.h"

#include <algorithm>

#include "ControlPaint.h"
#include "ControlRender.h"
#include "DisplayDrawing.h"
#include "DragDisplay.h"
#include "LogAxis.h"
#include "MultiplyOverlay.h"
#include "SkinCursor.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"

namespace {

constexpr int kAxisLow = 19;
constexpr int kAxisHigh = 22100;
constexpr int kPlotInset = 3;   // drawing area inside the client rectangle
constexpr int kMouseInset = 2;  // hit-testing area, horizontally
constexpr int kSkirt = 18;      // horizontal run of the band's sloping sides
constexpr int kDragSlack = 20;  // how far right of the area a drag may still reach

enum DragPart { kNoPart = -1, kLowEdge = 0, kHighEdge = 1, kWholeBand = 2 };

// The second colour fills the band, the fifth while disabled.
const COLORREF kFullColours[6] = {0xDEC8AA, 0xD6AB6A, 0xA7856D, 0xC0C0C0, 0x989898, 0x808080};
const COLORREF kReducedColours[6] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0xC0C0C0, 0x808080, 0x808080};

struct FreqDisplayState {
    int low, lowMin, lowMax;
    int high, highMin, highMax;
    LogAxis axis;
    HBITMAP background;
    HBITMAP overlay;
    int dragPart;
    int grabOffset;      // pointer x minus the grabbed edge's x at the press
    int grabOffsetHigh;  // pointer x minus the high edge's x, whole-band drags only
    COLORREF colours[6];
};

// The band, its edges and handles over the background, shaded by the overlay.
class FreqDisplayContent : public ControlContent {
public:
    FreqDisplayContent(const FreqDisplayState& state, bool enabled) : s(state), enabled(enabled) {}
    void Draw(HDC dc, const RECT& client) override;

private:
    const FreqDisplayState& s;
    bool enabled;
};

void FreqDisplayContent::Draw(HDC dc, const RECT& client) {
    const int width = client.right, height = client.bottom;
    const int left = kPlotInset, top = kPlotInset;
    const int bottom = height - kPlotInset;
    const int n = width - 2 * kPlotInset;
    const int xl = AxisPixel(s.axis, s.low, left, n);
    const int xh = AxisPixel(s.axis, s.high, left, n);

    const int saved = SaveDC(dc);
    IntersectClipRect(dc, left, top, width - kPlotInset, bottom);

    const POINT band[4] = {{xl, top}, {xh, top}, {xh + kSkirt, bottom - 1}, {xl - kSkirt, bottom - 1}};
    DrawFilledPolygon(dc, kDisplayOutline, enabled ? s.colours[1] : s.colours[4], band, 4);

    const Segment light[4] = {{xl, top, xh, top},
                              {xl, top + 1, xh, top + 1},
                              {xl, top, xl - kSkirt, bottom - 1},
                              {xl + 1, top, xl - kSkirt + 1, bottom - 1}};
    DrawSegments(dc, kDisplayLightEdge, light, 4);
    const Segment dark[2] = {{xl - kSkirt + 2, bottom - 2, xh + kSkirt, bottom - 2},
                             {xh - 1, top, xh + kSkirt - 1, bottom - 2}};
    DrawSegments(dc, kDisplayOutline, dark, 2);

    DrawHandle(dc, xl - 1, top, s.dragPart == kLowEdge);
    DrawHandle(dc, xh - kHandleSize + 1, top, s.dragPart == kHighEdge);
    RestoreDC(dc, saved);

    if (s.overlay) MultiplyOverlay(dc, kPlotInset, kPlotInset, n, height - 2 * kPlotInset, s.overlay);
}

// Edge positions as the mouse sees them.
struct MouseEdges {
    int low, high, pixels;

    bool OverBand(int x) const { return low + kHandleSize <= x && x < high - kHandleSize; }
};

class FreqDisplay : public DragDisplay {
public:
    FreqDisplay(HWND window, FreqDisplayState& state) : DragDisplay(window, QVFN_DBLCLK), s(state) {}

    static void Init(HWND window, FreqDisplayState& s, const CREATESTRUCTA& create);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void Paint(HDC target) override;
    bool Dragging() const override { return s.dragPart != kNoPart; }
    void StopDragging() override { s.dragPart = kNoPart; }
    void ShowPointer(POINT at) override;
    int Grab(POINT at) override;
    void Drag(POINT at) override;

private:
    MouseEdges Edges() const;
    void PostEdge(int edge, int frequency) const;

    FreqDisplayState& s;
};

void FreqDisplay::Init(HWND window, FreqDisplayState& s, const CREATESTRUCTA& create) {
    s.low = kAxisLow;
    s.lowMin = kAxisLow;
    s.lowMax = 3000;
    s.high = kAxisHigh;
    s.highMin = 500;
    s.highMax = kAxisHigh;
    s.axis = MakeLogAxis(kAxisLow, kAxisHigh);
    s.background = static_cast<HBITMAP>(create.lpCreateParams);
    s.dragPart = kNoPart;
    const COLORREF* colours = IsFullColourDisplay(window) ? kFullColours : kReducedColours;
    std::copy(colours, colours + 6, s.colours);
}

bool FreqDisplay::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case QVFM_SETLIMIT:
            switch (wParam) {
                case 0: s.lowMin = static_cast<int>(lParam); break;
                case 1: s.lowMax = static_cast<int>(lParam); break;
                case 2: s.highMin = static_cast<int>(lParam); break;
                case 3: s.highMax = static_cast<int>(lParam); break;
            }
            return true;
        case QVFM_SETLOW:
            s.low = static_cast<int>(wParam);
            Paint(nullptr);
            return true;
        case QVFM_SETHIGH:
            s.high = static_cast<int>(wParam);
            Paint(nullptr);
            return true;
        case QVFM_SETOVERLAY: s.overlay = reinterpret_cast<HBITMAP>(wParam); return true;
    }
    return DragDisplay::Handle(message, wParam, lParam, result);
}

void FreqDisplay::Paint(HDC target) {
    FreqDisplayContent content(s, IsWindowEnabled(window_) != FALSE);
    RenderControl(window_, s.background, content, target);
}

MouseEdges FreqDisplay::Edges() const {
    RECT client;
    GetClientRect(window_, &client);
    const int n = client.right - 2 * kMouseInset;
    return {AxisPixel(s.axis, s.low, kMouseInset, n), AxisPixel(s.axis, s.high, kMouseInset, n), n};
}

void FreqDisplay::ShowPointer(POINT at) {
    SetCursor(Edges().OverBand(at.x) ? LoadControlCursor(window_, kCursorOpenHand)
                                     : LoadCursor(nullptr, IDC_ARROW));
}

int FreqDisplay::Grab(POINT at) {
    const MouseEdges e = Edges();
    const int x = at.x;
    s.dragPart = kNoPart;
    if (e.low <= x && x < e.low + kHandleSize) {
        s.dragPart = kLowEdge;
        s.grabOffset = x - e.low;
    }
    if (e.high - kHandleSize <= x && x < e.high) {  // wins where the handles overlap
        s.dragPart = kHighEdge;
        s.grabOffset = x - e.high;
    }
    if (s.dragPart == kNoPart && e.OverBand(x)) {
        s.dragPart = kWholeBand;
        s.grabOffset = x - e.low;
        s.grabOffsetHigh = x - e.high;
        SetCursor(LoadControlCursor(window_, kCursorClosedHand));
    }
    return s.dragPart;
}

void FreqDisplay::PostEdge(int edge, int frequency) const {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(window_));
    PostMessageA(GetParent(window_), QVFN_CHANGED, MAKEWPARAM(id, edge), frequency);
}

void FreqDisplay::Drag(POINT at) {
    const MouseEdges e = Edges();
    const int x = std::min(static_cast<int>(at.x), e.pixels + kDragSlack);
    // Every move reports, changed or not; a whole band moves until one edge meets a limit.
    if (s.dragPart == kLowEdge || s.dragPart == kWholeBand) {
        s.low = ClampToLimits(AxisValue(s.axis, x - s.grabOffset, kMouseInset, e.pixels), s.lowMin, s.lowMax);
        PostEdge(0, s.low);
    }
    if (s.dragPart == kHighEdge || s.dragPart == kWholeBand) {
        const int grab = s.dragPart == kWholeBand ? s.grabOffsetHigh : s.grabOffset;
        s.high = ClampToLimits(AxisValue(s.axis, x - grab, kMouseInset, e.pixels), s.highMin, s.highMax);
        PostEdge(1, s.high);
    }
}

}  // namespace

LRESULT CALLBACK FreqDisplayProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<FreqDisplayState, FreqDisplay>(hwnd, message, wParam, lParam);
}

void RegisterFreqDisplayClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kFreqDisplayClassName, FreqDisplayProc);
}
