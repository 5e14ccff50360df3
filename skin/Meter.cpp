#include "Meter.h"

#include <climits>
#include <cmath>

#include "ControlPaint.h"
#include "SkinBlend.h"
#include "SkinControl.h"
#include "SkinProtocol.h"
#include "SkinWindowClass.h"
#include "TargetPixels.h"

namespace {

constexpr int kSilent = -9999;  // below any range: nothing lit, maximum shows "-Inf"
constexpr int kPeakHold = 30;   // updates a new peak is held before it falls
constexpr int kPeakFall = 30;   // fall of a released peak per update
constexpr int kDefaultDecay = 20;
constexpr int kBarMargin = 2;  // unlit rows (columns) at each end of the bar
constexpr int kPeakLine = 2;   // thickness of the peak line

// What the bar shows, in lit pixels of the level and of the peak line (clamped to the bar):
// a new level that lights the same pixels as the last paint needs no paint.
struct ShownBar {
    int level, peak;
    bool operator!=(const ShownBar& other) const { return level != other.level || peak != other.peak; }
};

struct MeterState {
    HDC cacheDC;
    HBITMAP cacheBitmap;
    HGDIOBJ cacheOldBitmap;
    int level1, level2;
    int bottom, top;
    int peak1, peak2;
    int max1, max2;
    int hold1, hold2;
    int vertical;
    int ballistics;
    int decay;
    SkinImage faceImage;
    SkinImage barImage;
    ShownBar shown;  // as the cache was last drawn
};

// Falls by `amount` without leaving the integer range, so an idle meter can run for ever.
int Fall(int level, int amount) {
    const long long fallen = static_cast<long long>(level) - amount;
    return fallen < INT_MIN ? INT_MIN : (fallen > INT_MAX ? INT_MAX : static_cast<int>(fallen));
}

// One update of a channel with ballistics: linear fall, instant rise, peak hold and peak fall.
void Ballistics(int input, int decay, int& level, int& peak, int& hold) {
    level = Fall(level, decay);
    if (hold != 0)
        --hold;
    else
        peak = Fall(peak, kPeakFall);
    if (input > level) level = input;
    if (level > peak) {
        peak = level;
        hold = kPeakHold;
    }
}

// Pixels of a `length`-pixel bar that `level` lights, rounded to nearest; may lie outside
// [0, length] for levels outside the range. An empty range (a parent's mistake) lights all
// or nothing instead of dividing by zero.
int LitPixels(const MeterState& s, int level, int length) {
    if (s.top == s.bottom) return level > s.bottom ? length : 0;
    const long long scaled = (static_cast<long long>(level) - s.bottom) * length;
    const double lit =
        std::floor(static_cast<double>(scaled) / (static_cast<long long>(s.top) - s.bottom) + 0.5);
    if (!(lit > -1.0e7)) return -10000000;
    return lit < 1.0e7 ? static_cast<int>(lit) : 10000000;
}

// The vertical bar: lit from the level down to the bottom margin, rows read in place from
// the bar image; the peak line is the bar image's band at the peak.
void DrawVertical(HDC dc, const MeterState& s, int width, int height) {
    const int length = height - 2 * kBarMargin;
    const auto topRow = [&](int level) {
        const int row = length - LitPixels(s, level, length);
        return row > 0 ? row : 0;
    };
    const int p = topRow(s.level1);
    if (p < length)
        BlendSkinImageRegion(dc, 0, p + kBarMargin, width, length - p, 0, p + kBarMargin, s.barImage, 255);
    if (s.ballistics) {
        const int q = topRow(s.peak1);
        if (q < length)
            BlendSkinImageRegion(dc, 0, q + kBarMargin, width, kPeakLine, 0, q + kBarMargin, s.barImage, 255);
    }
}

// The horizontal bar grows to the right. A band of columns is not a run of whole image rows,
// so the full bar image is blended through a clip rectangle instead.
void DrawHorizontal(HDC dc, const MeterState& s, int width, int height) {
    const int length = width - 2 * kBarMargin;
    const auto litColumns = [&](int level) {
        const int lit = LitPixels(s, level, length);
        return lit < 0 ? 0 : (lit > length ? length : lit);
    };
    const auto blendColumns = [&](int from, int to) {
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, from, 0, to, height);
        BlendSkinImage(dc, 0, 0, width, height, s.barImage, 255, 0, kBlendLightAll);
        RestoreDC(dc, saved);
    };
    const int p = litColumns(s.level1);
    if (p > 0) blendColumns(kBarMargin, kBarMargin + p);
    if (s.ballistics) {
        const int q = litColumns(s.peak1);
        if (q > 0) blendColumns(kBarMargin + (q > kPeakLine ? q - kPeakLine : 0), kBarMargin + q);
    }
}

ShownBar Shown(HWND window, const MeterState& s) {
    RECT client;
    GetClientRect(window, &client);
    const int length = (s.vertical ? client.bottom : client.right) - 2 * kBarMargin;
    const auto clamped = [&](int level) {
        const int lit = LitPixels(s, level, length);
        return lit < 0 ? 0 : (lit > length ? length : lit);
    };
    return {clamped(s.level1), s.ballistics ? clamped(s.peak1) : 0};
}

void SetLevels(MeterState& s, int a, int b) {
    if (s.ballistics) {
        Ballistics(a, s.decay, s.level1, s.peak1, s.hold1);
        Ballistics(b, s.decay, s.level2, s.peak2, s.hold2);
    } else {
        s.level1 = a;
        s.level2 = b;
    }
    // The maxima count every level received, with or without ballistics.
    if (a > s.max1) s.max1 = a;
    if (b > s.max2) s.max2 = b;
}

// Writes the two values through the optional pointers of a query message.
LRESULT ReadPair(WPARAM first, LPARAM second, int value1, int value2) {
    if (first) *reinterpret_cast<int*>(first) = value1;
    if (second) *reinterpret_cast<int*>(second) = value2;
    return 0;
}

class Meter : public SkinControl {
public:
    Meter(HWND window, MeterState& state) : SkinControl(window), s(state) {}

    static void Init(HWND window, MeterState& s, const CREATESTRUCTA& create);
    bool Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

protected:
    // Draws into the cache and shows it in the window; `target` only receives a copy of the cache.
    void Paint(HDC target) override;

private:
    void CopyCache(HDC dc) const;
    void DrawCache(HDC windowDC);

    MeterState& s;
};

void Meter::Init(HWND, MeterState& s, const CREATESTRUCTA& create) {
    s.level1 = s.level2 = kSilent;
    s.peak1 = s.peak2 = kSilent;
    s.max1 = s.max2 = kSilent;
    s.bottom = 0;
    s.top = 100;
    s.vertical = (create.style & kMeterVerticalStyle) != 0;
    s.ballistics = (create.style & kMeterBallisticsStyle) != 0;
    s.decay = kDefaultDecay;
}

bool Meter::Handle(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_DESTROY:
            if (s.cacheDC) {
                SelectObject(s.cacheDC, s.cacheOldBitmap);
                DeleteDC(s.cacheDC);
                DeleteObject(s.cacheBitmap);
            }
            return true;
        case QVMM_SETRANGE:
            s.bottom = static_cast<int>(wParam);
            s.top = static_cast<int>(lParam);
            return true;
        case QVMM_SETLEVELS: {
            // Meters are fed on every tick of their parent; most ticks change nothing visible.
            SetLevels(s, static_cast<int>(wParam), static_cast<int>(lParam));
            if (!s.cacheDC || Shown(window_, s) != s.shown) Paint(nullptr);
            return true;
        }
        case QVMM_GETPEAKS: *result = ReadPair(wParam, lParam, s.peak1, s.peak2); return true;
        case QVMM_RESETMAX: s.max1 = s.max2 = kSilent; return true;
        case QVMM_GETMAX: *result = ReadPair(wParam, lParam, s.max1, s.max2); return true;
        case QVMM_SETIMAGES:
            s.faceImage = reinterpret_cast<SkinImage>(wParam);
            s.barImage = reinterpret_cast<SkinImage>(lParam);
            return true;
        case QVMM_SETDECAY: s.decay = static_cast<int>(wParam); return true;
    }
    return SkinControl::Handle(message, wParam, lParam, result);
}

void Meter::Paint(HDC target) {
    if (target) {
        CopyCache(target);
        return;
    }
    WindowDc windowDC(window_);
    if (!windowDC.Get()) return;
    DrawCache(windowDC.Get());
    CopyCache(windowDC.Get());
}

// Copies what the meter shows into `dc` (nothing before the first paint).
void Meter::CopyCache(HDC dc) const {
    RECT client;
    GetClientRect(window_, &client);
    if (s.cacheDC) BitBlt(dc, 0, 0, client.right, client.bottom, s.cacheDC, 0, 0, SRCCOPY);
}

// Creates the cache at the first paint (it keeps that size) and draws the meter into it.
void Meter::DrawCache(HDC windowDC) {
    RECT client;
    GetClientRect(window_, &client);
    if (!s.cacheDC) {
        // A DIB section, so that the blends change its pixels in place.
        s.cacheDC = CreateCompatibleDC(windowDC);
        BITMAPINFO info = TargetPixels::Header(client.right > 0 ? client.right : 1, client.bottom > 0 ? client.bottom : 1);
        void* bits = nullptr;
        s.cacheBitmap = CreateDIBSection(s.cacheDC, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        s.cacheOldBitmap = SelectObject(s.cacheDC, s.cacheBitmap);
    }
    if (!s.faceImage || !s.barImage) {
        s.shown = {-1, -1};  // nothing drawn yet: the next level paints whatever it shows
        return;
    }
    s.shown = Shown(window_, s);
    // The face is opaque, so no background copy is needed under it.
    BlendSkinImage(s.cacheDC, 0, 0, client.right, client.bottom, s.faceImage, 255, 0, kBlendLightAll);
    if (s.vertical)
        DrawVertical(s.cacheDC, s, client.right, client.bottom);
    else
        DrawHorizontal(s.cacheDC, s, client.right, client.bottom);
}

}  // namespace

LRESULT CALLBACK MeterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return RunSkinControl<MeterState, Meter>(hwnd, message, wParam, lParam);
}

void RegisterMeterClass(HINSTANCE module) {
    RegisterSkinWindowClass(module, kMeterClassName, MeterProc);
}
