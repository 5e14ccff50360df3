#include "SkinBlend.h"

#include <algorithm>

#include "TargetPixels.h"

namespace {

struct LitArea {
    int left, top, right, bottom;
};

LitArea LitAreaForMode(int mode) {
    if (mode == kBlendLightAll) return {0, 0, 0, 0};
    if (mode == kBlendLightNarrow) return {1, 1, 3, 3};
    return {2, 2, 2, 2};
}

uint8_t Lit(uint8_t channel, DWORD factor, DWORD divisor) {
    if (divisor == 0) return channel;  // a malformed tint must not divide by zero
    return static_cast<uint8_t>(std::min<DWORD>(255, channel * factor / divisor));
}

// Weight of the target in 1/256: the image's transparency, faded by a lower opacity.
int TargetWeight(int transparency, int opacity) {
    int w = opacity == 255 ? transparency : transparency * (255 - opacity) / 255 + opacity;
    return w != 0 ? w + 1 : 0;
}

uint8_t Mix(int source, int target, int weight) {
    return static_cast<uint8_t>(source + (((target - source) * weight) >> 8));
}

// Blends image pixels (rows of `stride` pixels, starting at `first`) over the target.
void BlendInto(TargetPixels& target, const BYTE* first, int stride, int opacity, Tint tint,
               int mode) {
    const int width = target.Width();
    const int height = target.Height();
    const LitArea area = LitAreaForMode(mode);
    const DWORD f0 = tint & 0xFF, f1 = (tint >> 8) & 0xFF, f2 = (tint >> 16) & 0xFF;
    const DWORD d = tint >> 24;
    for (int py = 0; py < height; ++py) {
        const BYTE* s = first + static_cast<size_t>(py) * stride * 4;
        uint8_t* t = target.Row(py);
        for (int px = 0; px < width; ++px, s += 4, t += 4) {
            int r = s[0], g = s[1], b = s[2];
            if (tint != 0 && px >= area.left && px <= width - area.right && py >= area.top &&
                py <= height - area.bottom) {
                r = Lit(s[0], f0, d);
                g = Lit(s[1], f1, d);
                b = Lit(s[2], f2, d);
            }
            const int w = TargetWeight(s[3], opacity);
            t[0] = Mix(b, t[0], w);
            t[1] = Mix(g, t[1], w);
            t[2] = Mix(r, t[2], w);
        }
    }
}

}  // namespace

void BlendSkinImage(HDC dc, int x, int y, int width, int height, SkinImage image, int opacity,
                    Tint tint, int mode) {
    if (width < 1 || height < 1 || !image) return;
    TargetPixels target(dc, x, y, width, height);
    BlendInto(target, image, width, opacity, tint, mode);
    target.WriteBack();
}

void BlendSkinImageRegion(HDC dc, int x, int y, int width, int height, int srcX, int srcY,
                          SkinImage image, int opacity) {
    if (width < 1 || height < 1 || !image) return;
    TargetPixels target(dc, x, y, width, height);
    BlendInto(target, image + (static_cast<size_t>(srcY) * width + srcX) * 4, width, opacity, 0,
              kBlendLightAll);
    target.WriteBack();
}
