#include "TransparentBlit.h"

void TransparentBlit(HDC dc, int x, int y, HBITMAP bitmap, int srcX, int srcY, int width,
                     int height, COLORREF key) {
    if (!bitmap || width < 1 || height < 1) return;
    HDC imageDc = CreateCompatibleDC(dc);
    HDC imageCopyDc = CreateCompatibleDC(dc);
    HDC maskDc = CreateCompatibleDC(dc);
    HDC targetCopyDc = CreateCompatibleDC(dc);
    HBITMAP imageCopy = CreateCompatibleBitmap(dc, width, height);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    HBITMAP targetCopy = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldImage = SelectObject(imageDc, bitmap);
    HGDIOBJ oldImageCopy = SelectObject(imageCopyDc, imageCopy);
    HGDIOBJ oldMask = SelectObject(maskDc, mask);
    HGDIOBJ oldTargetCopy = SelectObject(targetCopyDc, targetCopy);

    BitBlt(imageCopyDc, 0, 0, width, height, imageDc, srcX, srcY, SRCCOPY);
    // Mask: white where the image has the key colour, black where it paints.
    const COLORREF oldBack = SetBkColor(imageCopyDc, key);
    BitBlt(maskDc, 0, 0, width, height, imageCopyDc, 0, 0, SRCCOPY);
    SetBkColor(imageCopyDc, oldBack);
    // Colour blits from a mono source map 0 to the text colour and 1 to the background colour.
    const COLORREF oldTargetText = SetTextColor(targetCopyDc, RGB(0, 0, 0));
    const COLORREF oldTargetBack = SetBkColor(targetCopyDc, RGB(255, 255, 255));
    const COLORREF oldImageText = SetTextColor(imageCopyDc, RGB(0, 0, 0));
    const COLORREF oldImageBack = SetBkColor(imageCopyDc, RGB(255, 255, 255));

    BitBlt(targetCopyDc, 0, 0, width, height, dc, x, y, SRCCOPY);
    BitBlt(targetCopyDc, 0, 0, width, height, maskDc, 0, 0, SRCAND);   // clear what the image paints
    BitBlt(maskDc, 0, 0, width, height, nullptr, 0, 0, DSTINVERT);
    BitBlt(imageCopyDc, 0, 0, width, height, maskDc, 0, 0, SRCAND);    // clear the key pixels
    BitBlt(targetCopyDc, 0, 0, width, height, imageCopyDc, 0, 0, SRCPAINT);
    BitBlt(dc, x, y, width, height, targetCopyDc, 0, 0, SRCCOPY);

    SetTextColor(imageCopyDc, oldImageText);
    SetBkColor(imageCopyDc, oldImageBack);
    SetTextColor(targetCopyDc, oldTargetText);
    SetBkColor(targetCopyDc, oldTargetBack);
    SelectObject(targetCopyDc, oldTargetCopy);
    SelectObject(maskDc, oldMask);
    SelectObject(imageCopyDc, oldImageCopy);
    SelectObject(imageDc, oldImage);
    DeleteObject(targetCopy);
    DeleteObject(mask);
    DeleteObject(imageCopy);
    DeleteDC(targetCopyDc);
    DeleteDC(maskDc);
    DeleteDC(imageCopyDc);
    DeleteDC(imageDc);
}
