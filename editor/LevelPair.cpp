#include "LevelPair.h"

#include "ValueText.h"

namespace {

constexpr int kPairWidth = 47;

int TextWidth(HDC dc, const std::string& text) {
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

std::string FormatLevelPair(HFONT font, int left, int right) {
    const std::string leftText = LevelText(left);
    const std::string rightText = LevelText(right);
    // A memory DC measures as a window's does and, unlike a window's, costs no request to
    // the window system; the meters format these texts on every tick.
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    const int room = kPairWidth - TextWidth(dc, leftText) - TextWidth(dc, rightText);
    SelectObject(dc, old);
    DeleteDC(dc);
    const int spaces = room / 3 < 1 ? 1 : room / 3;
    return leftText + std::string(static_cast<size_t>(spaces), ' ') + rightText;
}
