#include "RevTime.h"

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

constexpr int kClipInset = 3;
constexpr int kPlotInset = 4;
constexpr int kMouseInset = 2;
constexpr int kDragSlack = 20;     // how far right of, or above, the area a drag may reach
constexpr int kLineTolerance = 2;  // half height of a level line's grab zone, half width of an edge's

enum ValueIndex { kMultiplier = 0, kCrossover = 1, kReverbTime = 2, kDamping = 3 };
enum DragGroup { kNoGroup = -1, kLowGroup = 0, kMidGroup = 1 };
// Off every line and edge the zone holds all four bits: a handle pressed there moves both
// values of its group.
enum ZoneBits { kCrossoverEdge = 1, kDampingEdge = 2, kLowLevel = 4, kMidLevel = 8, kAllZones = 15 };

// Colours 1 and 2 fill the mid and the low band, 4 and 5 do so while disabled.
const COLORREF kFullColours[6] = {0xEAD6B2, 0xD6AB6A, 0xA7856D, 0xC0C0C0, 0x989898, 0x808080};
const COLORREF kReducedColours[6] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0xC0C0C0, 0x808080, 0x808080};
constexpr COLORREF kMidLightEdge = 0xEDDCBF;

struct RevTimeState {
    int dragGroup;
    int grabX, grabY;  // pointer minus the grabbed corner at the press
    int zone;          // ZoneBits found by the last pointer-shape test
    LogAxis xAxis, yAxis;
    int multiplier, multiplierMin, multiplierMax;
    int reverbTime, reverbTimeMin, reverbTimeMax;
    int crossover, crossoverMin, crossoverMax;
    int damping, dampingMin, dampingMax;
    int lowTime;
    HBITMAP background;
    HBITMAP overlay;
    COLORREF colours[6];
};

// An area inside the client rectangle and the two corners of the curve on it: (x1, y1)
// ends the low band at the crossover, (x2, y2) ends the mid band at the damping frequency.
struct Geometry {
    int left, bottom, width, height;
    int x1, y1, x2, y2;

    int FrequencyAt(const RevTimeState& s, int x) const { return AxisValue(s.xAxis, x, left, width); }
    int TimeAt(const RevTimeState& s, int y) const { return AxisValue(s.yAxis, y, bottom, -height); }
};

Geometry GeometryOf(const RevTimeState& s, int clientWidth, int clientHeight, int inset) {
    Geometry g;
    g.left = inset;
    g.bottom = clientHeight - inset;
    g.width = clientWidth - 2 * inset;
    g.height = clientHeight - 2 * inset;
    g.x1 = AxisPixel(s.xAxis, s.crossover, g.left, g.width);
    g.x2 = AxisPixel(s.xAxis, s.damping, g.left, g.width);
    g.y1 = AxisPixel(s.yAxis, s.lowTime, g.bottom, -g.height);
    g.y2 = AxisPixel(s.yAxis, s.reverbTime, g.bottom, -g.height);
    return g;
}

int LowTimeOf(int reverbTime, int multiplier) {
    return static_cast<int>(static_cast<long long>(reverbTime) * multiplier / 10);
}

void DrawLowBand(HDC dc, const Geometry& g, COLORREF fill) {
    const int L = g.left, B = g.bottom, x1 = g.x1, y1 = g.y1;
    const POINT band[4] = {{L - 1, y1}, {x1, y1}, {x1, B}, {L - 1, B}};
    DrawFilledPolygon(dc, kDisplayOutline, fill, band, 4);
    const Segment light[4] = {
        {L - 1, y1, x1 - 1, y1}, {L - 1, y1 + 1, x1 - 1, y1 + 1}, {L - 1, y1, L - 1, B}, {L, y1, L, B - 1}};
    DrawSegments(dc, kDisplayLightEdge, light, 4);
    const Segment dark[2] = {{x1 - 1, y1, x1 - 1, B - 1}, {L, B - 1, x1, B - 1}};
    DrawSegments(dc, kDisplayOutline, dark, 2);
}

void DrawMidBand(HDC dc, const Geometry& g, COLORREF fill) {
    const int B = g.bottom, x1 = g.x1, x2 = g.x2, y2 = g.y2;
    const int slopeEnd = x2 + (B - y2) / 2;  // the high slope falls two pixels per pixel
    if (x1 >= x2) {
        const POINT slope[3] = {{x2, y2}, {slopeEnd, B}, {x2, B}};
        DrawFilledPolygon(dc, kDisplayOutline, fill, slope, 3);
        return;
    }
    const POINT band[4] = {{x1, y2}, {x2, y2}, {slopeEnd, B}, {x1, B}};
    DrawFilledPolygon(dc, kDisplayOutline, fill, band, 4);
    const Segment lighter[4] = {{x1 + 1, y2, x2 - 1, y2},
                                {x1 + 1, y2 + 1, x2 - 1, y2 + 1},
                                {x1 + 1, y2, x1 + 1, B},
                                {x1 + 2, y2, x1 + 2, B - 1}};
    DrawSegments(dc, kMidLightEdge, lighter, 4);
    const Segment light[2] = {{x1 + 2, B - 1, slopeEnd, B - 1}, {x2 - 1, y2, slopeEnd - 1, B - 1}};
    DrawSegments(dc, kDisplayLightEdge, light, 2);
}

// Both bands, their edges and handles over the background, shaded by the overlay.
class RevTimeContent : public ControlContent {
public:
    RevTimeContent(const RevTimeState& state, bool enabled) : s(state), enabled(enabled) {}
    void Draw(HDC dc, const RECT& client) override;

private:
    const RevTimeState& s;
    bool enabled;
};

void RevTimeContent::Draw(HDC dc, const RECT& client) {
    const int width = client.right, height = client.bottom;
    const Geometry g = GeometryOf(s, width, height, kPlotInset);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, kClipInset, kClipInset, width - kClipInset, height - kClipInset);
    DrawLowBand(dc, g, enabled ? s.colours[1] : s.colours[4]);
    DrawMidBand(dc, g, enabled ? s.colours[0] : s.colours[3]);
    DrawHandle(dc, g.x1 - kHandleSize + 1, g.y1, s.dragGroup == kLowGroup);
    DrawHandle(dc, g.x2 - kHandleSize + 1, g.y2, s.dragGroup == kMidGroup);
    RestoreDC(dc, saved);
    if (s.overlay)
        MultiplyOverlay(dc, kClipInset, kClipInset, width - 2 * kClipInset, height - 2 * kClipInset,
                        s.overlay);
}

bool Near(int value, int centre) {
    return centre - kLineTolerance <= value && value <= centre + kLineTolerance;
}

// Which line or edge of the curve the point is on; the first match wins.
int ZoneAt(const Geometry& g, int x, int y) {
    if (x < g.x1 - kHandleSize && Near(y, g.y1)) return kLowLevel;
    if (g.x1 < x && x < g.x2 - kHandleSize && Near(y, g.y2)) return kMidLevel;
    if (Near(x, g.x1) && y > g.y1 + kHandleSize) return kCrossoverEdge;
    if (Near(x, g.x2) && y > g.y2 + kHandleSize) return kDampingEdge;
    return kAllZones;
}

// The handle hangs left of and below its corner.
bool OnHandle(int cornerX, int cornerY, POINT at) {
    return cornerX - kHandleSize + 1 <= at.x && at.x < cornerX + 1 && cornerY <= at.y &&
           at.y < cornerY + kHandleSize;
}

class RevTime : public DragDisplay {
public:
    RevTime(HWND window, RevTimeState& state) : DragDisplay(window, QVRN_DBLCLK), s(state) {}

    static void Init(HWND window, RevTimeState& s, const CREATESTRUCTA& create);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    void Paint(HDC target) override;
    bool Dragging() const override { return s.dragGroup != kNoGroup; }
    void StopDragging() override { s.dragGroup = kNoGroup; }
    void ShowPointer(POINT at) override;
    int Grab(POINT at) override;
    void Drag(POINT at) override;

private:
    Geometry MouseGeometry() const;
    void SetValue(WPARAM index, int value);
    void PostValue(int index, int value) const;

    RevTimeState& s;
};

void RevTime::Init(HWND window, RevTimeState& s, const CREATESTRUCTA& create) {
    s.dragGroup = kNoGroup;
    s.xAxis = MakeLogAxis(19, 22100);
    s.yAxis = MakeLogAxis(60, 40000);
    s.multiplier = 10;
    s.multiplierMin = 2;
    s.multiplierMax = 30;
    s.reverbTime = 1500;
    s.reverbTimeMin = 100;
    s.reverbTimeMax = 20000;
    s.crossover = 500;
    s.crossoverMin = 25;
    s.crossoverMax = 2000;
    s.damping = 4000;
    s.dampingMin = 500;
    s.dampingMax = 22100;
    s.lowTime = LowTimeOf(s.reverbTime, s.multiplier);
    s.background = static_cast<HBITMAP>(create.lpCreateParams);
    const COLORREF* colours = IsFullColourDisplay(window) ? kFullColours : kReducedColours;
    std::copy(colours, colours + 6, s.colours);
}

bool RevTime::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case QVRM_SETVALUE:
            SetValue(wParam, static_cast<int>(lParam));
            Paint(nullptr);
            return true;
        case QVRM_SETOVERLAY: s.overlay = reinterpret_cast<HBITMAP>(wParam); return true;
    }
    return DragDisplay::Handle(message, wParam, lParam, result);
}

void RevTime::SetValue(WPARAM index, int value) {
    switch (index) {
        case kMultiplier: s.multiplier = value; break;
        case kCrossover: s.crossover = value; break;
        case kReverbTime: s.reverbTime = value; break;
        case kDamping: s.damping = value; break;
    }
    s.lowTime = LowTimeOf(s.reverbTime, s.multiplier);
}

void RevTime::Paint(HDC target) {
    RevTimeContent content(s, IsWindowEnabled(window_) != FALSE);
    RenderControl(window_, s.background, content, target);
}

Geometry RevTime::MouseGeometry() const {
    RECT client;
    GetClientRect(window_, &client);
    return GeometryOf(s, client.right, client.bottom, kMouseInset);
}

void RevTime::ShowPointer(POINT at) {
    s.zone = ZoneAt(MouseGeometry(), at.x, at.y);
    switch (s.zone) {
        case kLowLevel:
        case kMidLevel: SetCursor(LoadControlCursor(window_, kCursorUpDown)); break;
        case kCrossoverEdge:
        case kDampingEdge: SetCursor(LoadControlCursor(window_, kCursorLeftRight)); break;
        default: SetCursor(LoadCursor(nullptr, IDC_ARROW));
    }
}

int RevTime::Grab(POINT at) {
    const Geometry g = MouseGeometry();
    s.dragGroup = kNoGroup;
    if (OnHandle(g.x1, g.y1, at) || s.zone == kCrossoverEdge || s.zone == kLowLevel) {
        s.dragGroup = kLowGroup;
        s.grabX = at.x - g.x1;
        s.grabY = at.y - g.y1;
    }
    // The mid group wins where both could be meant.
    if (OnHandle(g.x2, g.y2, at) || s.zone == kDampingEdge || s.zone == kMidLevel) {
        s.dragGroup = kMidGroup;
        s.grabX = at.x - g.x2;
        s.grabY = at.y - g.y2;
    }
    return s.dragGroup;
}

void RevTime::PostValue(int index, int value) const {
    const WORD id = static_cast<WORD>(GetDlgCtrlID(window_));
    PostMessageA(GetParent(window_), QVRN_CHANGED, MAKEWPARAM(id, index), value);
}

// The zone of the press picks the values: a line moves one, a handle (all zones) both of its group.
void RevTime::Drag(POINT at) {
    const Geometry g = MouseGeometry();
    const int gx = std::min(static_cast<int>(at.x), g.width + kDragSlack) - s.grabX;
    const int gy = std::max(static_cast<int>(at.y), -kDragSlack) - s.grabY;
    if (s.dragGroup == kLowGroup) {
        if (s.zone & kCrossoverEdge) {
            s.crossover = ClampToLimits(g.FrequencyAt(s, gx), s.crossoverMin, s.crossoverMax);
            PostValue(kCrossover, s.crossover);
        }
        if ((s.zone & kLowLevel) && s.reverbTime > 0) {
            // Times read off the axis saturate far below the integer limit, so x 10 cannot overflow.
            const int steps = g.TimeAt(s, gy) * 10 / s.reverbTime;
            s.multiplier = ClampToLimits(steps, s.multiplierMin, s.multiplierMax);
            s.lowTime = LowTimeOf(s.reverbTime, s.multiplier);
            PostValue(kMultiplier, s.multiplier);
        }
    } else {
        if (s.zone & kDampingEdge) {
            s.damping = ClampToLimits(g.FrequencyAt(s, gx), s.dampingMin, s.dampingMax);
            PostValue(kDamping, s.damping);
        }
        if (s.zone & kMidLevel) {
            s.reverbTime = ClampToLimits(g.TimeAt(s, gy), s.reverbTimeMin, s.reverbTimeMax);
            s.lowTime = LowTimeOf(s.reverbTime, s.multiplier);
            PostValue(kReverbTime, s.reverbTime);
        }
    }
}

}  // namespace

LRESULT CALLBACK RevTimeProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<RevTimeState, RevTime>(hwnd, message, wParam, lParam);
}

void RegisterRevTimeClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kRevTimeClassName, RevTimeProc);
}
