#include "MultiplyOverlay.h"

#include "TargetPixels.h"

void MultiplyOverlay(HDC dc, int x, int y, int width, int height, HBITMAP overlay) {
    if (width < 1 || height < 1 || !overlay) return;
    TargetPixels target(dc, x, y, width, height);

    BITMAPINFO info = TargetPixels::Header(width, height);
    void* overlayBits = nullptr;
    HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &overlayBits, nullptr, 0);
    if (!section) return;
    HDC sectionDc = CreateCompatibleDC(dc);
    HDC overlayDc = CreateCompatibleDC(dc);
    HGDIOBJ oldSection = SelectObject(sectionDc, section);
    HGDIOBJ oldOverlay = SelectObject(overlayDc, overlay);
    BitBlt(sectionDc, 0, 0, width, height, overlayDc, 0, 0, SRCCOPY);
    GdiFlush();

    // The overlays are grey: their blue byte is the factor for all three channels.
    const auto* factors = static_cast<const BYTE*>(overlayBits);
    for (int row = 0; row < height; ++row) {
        BYTE* t = target.Row(row);
        for (int column = 0; column < width; ++column, t += 4) {
            const unsigned m = factors[(static_cast<size_t>(row) * width + column) * 4];
            for (int c = 0; c < 3; ++c) t[c] = static_cast<BYTE>((t[c] * m + 1) >> 8);
        }
    }
    target.WriteBack();

    SelectObject(overlayDc, oldOverlay);
    SelectObject(sectionDc, oldSection);
    DeleteDC(overlayDc);
    DeleteDC(sectionDc);
    DeleteObject(section);
}
