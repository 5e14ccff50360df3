#include "GalleryControls.h"

#include "GallerySkin.h"
#include "Meter.h"
#include "SkinProtocol.h"

namespace {

enum class Kind { Button, Edit, Slider, FreqDisplay, RevTime, Meter, LevelText };

// A control of the editor's table with the setting the gallery shows on it. For buttons
// `value` is the lit state; for sliders the position within [minimum, maximum].
struct GalleryControl {
  int id;
  Kind kind;
  DWORD classBits;
  int x, y, w, h;
  const char* text;
  int imageA, imageB;
  int value, minimum, maximum, tickStep, tickOffset;
};

// The editor's field style bits: linear drag and right-aligned text, plus 0x84 that the
// control ignores; the Crossover field alone drags squared.
constexpr DWORD kEditBits = 0x87;
constexpr DWORD kSquaredEditBits = 0x86;
constexpr DWORD kMeterBits = kMeterVerticalStyle | kMeterBallisticsStyle;

const GalleryControl kControls[] = {
    {20010, Kind::Button, 0, 16, 16, 50, 21, "Bypass", 137, 136, 0, 0, 0, 0, 0},
    {20011, Kind::Button, 0, 69, 16, 76, 21, "Undo", 125, 126, 0, 0, 0, 0, 0},
    {20012, Kind::Button, 0, 148, 16, 61, 21, "Setup A", 123, 124, 0, 0, 0, 0, 0},
    {20013, Kind::Button, kPushButtonArrowStyle, 209, 16, 15, 21, "", 129, 122, 0, 0, 0, 0, 0},
    {20014, Kind::Button, 0, 227, 16, 76, 21, "Reset", 125, 126, 0, 0, 0, 0, 0},
    {20015, Kind::Button, kPushButtonArrowStyle, 306, 16, 76, 21, "Presets", 125, 126, 0, 0, 0, 0, 0},
    {20016, Kind::Button, 0, 385, 16, 24, 21, "?", 133, 132, 0, 0, 0, 0, 0},
    {10002, Kind::Button, 0, 69, 45, 36, 21, "Mute", 135, 134, 0, 0, 0, 0, 0},
    {10000, Kind::Edit, kEditBits, 109, 45, 40, 21, "-1.5", 120, 0, 0, 0, 0, 0, 0},
    {10001, Kind::Slider, 0, 178, 48, 154, 20, "", 127, 0, -15, -361, 60, 20, 1},
    {10005, Kind::Edit, kEditBits, 109, 76, 40, 21, "75", 120, 0, 0, 0, 0, 0, 0},
    {10007, Kind::FreqDisplay, 0, 178, 76, 154, 44, "", 0, 0, 0, 0, 0, 0, 0},
    {10006, Kind::Edit, kEditBits, 109, 99, 40, 21, "12.0", 120, 0, 0, 0, 0, 0, 0},
    {10008, Kind::Edit, kEditBits, 109, 130, 40, 21, "24", 120, 0, 0, 0, 0, 0, 0},
    {10009, Kind::Slider, 0, 178, 133, 154, 20, "", 127, 0, 24, 0, 250, 25, 0},
    {10010, Kind::Edit, kEditBits, 109, 153, 40, 21, "62", 120, 0, 0, 0, 0, 0, 0},
    {10011, Kind::Slider, 0, 178, 156, 154, 20, "", 127, 0, 62, 1, 100, 10, -1},
    {10012, Kind::Edit, kEditBits, 109, 176, 40, 21, "85", 120, 0, 0, 0, 0, 0, 0},
    {10013, Kind::Slider, 0, 178, 179, 154, 20, "", 127, 0, 85, 0, 100, 10, 0},
    {10014, Kind::Edit, kEditBits, 109, 207, 40, 21, "1.4", 120, 0, 0, 0, 0, 0, 0},
    {10021, Kind::RevTime, 0, 178, 207, 154, 90, "", 0, 0, 0, 0, 0, 0, 0},
    {10016, Kind::Edit, kSquaredEditBits, 109, 230, 40, 21, "400", 120, 0, 0, 0, 0, 0, 0},
    {10018, Kind::Edit, kEditBits, 109, 253, 40, 21, "2.5", 120, 0, 0, 0, 0, 0, 0},
    {10020, Kind::Edit, kEditBits, 109, 276, 40, 21, "6.5", 120, 0, 0, 0, 0, 0, 0},
    {10024, Kind::Button, 0, 69, 307, 36, 21, "Mute", 135, 134, 0, 0, 0, 0, 0},
    {10022, Kind::Edit, kEditBits, 109, 307, 40, 21, "0.0", 120, 0, 0, 0, 0, 0, 0},
    {10023, Kind::Slider, 0, 178, 310, 154, 20, "", 127, 0, 0, -361, 60, 20, 1},
    {10027, Kind::Button, 0, 69, 330, 36, 21, "Mute", 135, 134, 1, 0, 0, 0, 0},
    {10025, Kind::Edit, kEditBits, 109, 330, 40, 21, "-3.5", 120, 0, 0, 0, 0, 0, 0},
    {10026, Kind::Slider, 0, 178, 333, 154, 20, "", 127, 0, -35, -361, 60, 20, 1},
    {10030, Kind::Button, 0, 69, 353, 36, 21, "Mute", 135, 134, 0, 0, 0, 0, 0},
    {10028, Kind::Edit, kEditBits, 109, 353, 40, 21, "-12.0", 120, 0, 0, 0, 0, 0, 0},
    {10029, Kind::Slider, 0, 178, 356, 154, 20, "", 127, 0, -120, -361, 60, 20, 1},
    {10031, Kind::Edit, kEditBits, 109, 384, 40, 21, "100", 120, 0, 0, 0, 0, 0, 0},
    {10004, Kind::Button, kPushButtonGlyphStyle, 218, 384, 76, 21, "Stereo", 125, 126, 0, 0, 0, 0, 0},
    {10003, Kind::Button, 0, 296, 384, 36, 21, "Tail", 135, 134, 1, 0, 0, 0, 0},
    {10600, Kind::Meter, kMeterBits, 352, 64, 12, 144, "", 128, 121, -62, 0, 0, 0, 0},
    {10601, Kind::Meter, kMeterBits, 382, 64, 12, 144, "", 128, 121, -81, 0, 0, 0, 0},
    {10602, Kind::LevelText, 0x101, 347, 43, 52, 11, "-3.1    -4.0", 0, 0, 0, 0, 0, 0, 0},
    {10603, Kind::Meter, kMeterBits, 352, 248, 12, 144, "", 128, 121, -96, 0, 0, 0, 0},
    {10604, Kind::Meter, kMeterBits, 382, 248, 12, 144, "", 128, 121, -110, 0, 0, 0, 0},
    {10605, Kind::LevelText, 0x101, 347, 227, 52, 11, "-5.2    -6.3", 0, 0, 0, 0, 0, 0, 0},
};

// Clip indicators of the dialog template: id, position, and the state shown (BITMAP id).
struct ClipIndicator {
  int id, x, y, bitmap;
};
const ClipIndicator kClipIndicators[] = {
    {1020, 352, 55, 140}, {1021, 382, 55, 140}, {1022, 352, 239, 139}, {1023, 382, 239, 141}};

const char* ClassName(Kind kind) {
  switch (kind) {
    case Kind::Button: return kPushButtonClassName;
    case Kind::Edit: return kEditClassName;
    case Kind::Slider: return kSliderClassName;
    case Kind::FreqDisplay: return kFreqDisplayClassName;
    case Kind::RevTime: return kRevTimeClassName;
    case Kind::Meter: return kMeterClassName;
    case Kind::LevelText: return kStaticTextClassName;
  }
  return "";
}

WPARAM Image(const GallerySkin& skin, int id) {
  return id ? reinterpret_cast<WPARAM>(skin.Image(id)) : 0;
}

// A meter that has seen a louder passage a moment ago: the bar has fallen back while the
// held peak line still marks the loud moment.
void ShowRecentPeak(HWND meter, int level) {
  SendMessageA(meter, QVMM_SETLEVELS, static_cast<WPARAM>(level + 60), 0);
  for (int update = 0; update < 4; ++update) SendMessageA(meter, QVMM_SETLEVELS, static_cast<WPARAM>(level), 0);
}

void SetUp(HWND window, const GalleryControl& c, const GallerySkin& skin) {
  switch (c.kind) {
    case Kind::Button:
      SendMessageA(window, QVBM_SETIMAGES, Image(skin, c.imageA), static_cast<LPARAM>(Image(skin, c.imageB)));
      SendMessageA(window, QVBM_SETCHECK, static_cast<WPARAM>(c.value), 0);
      break;
    case Kind::Edit:
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), 0);
      SendMessageA(window, QVEM_SETIMAGE, Image(skin, c.imageA), 0);
      break;
    case Kind::Slider:
      SendMessageA(window, QVSM_SETTICKSTEP, static_cast<WPARAM>(c.tickStep), 0);
      SendMessageA(window, QVSM_SETTICKOFFSET, static_cast<WPARAM>(c.tickOffset), 0);
      SendMessageA(window, QVSM_SETPAGESIZE, static_cast<WPARAM>(c.tickStep), 0);
      SendMessageA(window, QVSM_SETTHUMBIMAGE, Image(skin, c.imageA), 0);
      SendMessageA(window, QVSM_SETRANGE, static_cast<WPARAM>(c.minimum), c.maximum);
      SendMessageA(window, QVSM_SETPOS, static_cast<WPARAM>(c.value), 1);
      break;
    case Kind::FreqDisplay:
      SendMessageA(window, QVFM_SETOVERLAY, reinterpret_cast<WPARAM>(skin.FreqOverlay()), 0);
      SendMessageA(window, QVFM_SETLOW, 75, 0);
      SendMessageA(window, QVFM_SETHIGH, 12000, 0);
      break;
    case Kind::RevTime:
      SendMessageA(window, QVRM_SETOVERLAY, reinterpret_cast<WPARAM>(skin.RevTimeOverlay()), 0);
      SendMessageA(window, QVRM_SETVALUE, 0, 14);
      SendMessageA(window, QVRM_SETVALUE, 1, 400);
      SendMessageA(window, QVRM_SETVALUE, 2, 2500);
      SendMessageA(window, QVRM_SETVALUE, 3, 6500);
      break;
    case Kind::Meter:
      SendMessageA(window, QVMM_SETIMAGES, Image(skin, c.imageA), static_cast<LPARAM>(Image(skin, c.imageB)));
      SendMessageA(window, QVMM_SETRANGE, static_cast<WPARAM>(-300), 0);
      ShowRecentPeak(window, c.value);
      break;
    case Kind::LevelText:
      SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(skin.LevelFont()), 0);
      break;
  }
}

}  // namespace

int CreateGalleryControls(HWND parent, HINSTANCE module, const GallerySkin& skin) {
  int missing = 0;
  for (const ClipIndicator& clip : kClipIndicators) {
    HWND indicator = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, clip.x,
                                     clip.y, 12, 9, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(clip.id)),
                                     module, nullptr);
    HBITMAP picture = skin.ClipIndicator(clip.bitmap);
    if (!indicator || !picture) {
      ++missing;
      continue;
    }
    SendMessageA(indicator, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    // A bitmap static sizes itself to its picture; put it back where the editor has it.
    MoveWindow(indicator, clip.x, clip.y, 12, 9, TRUE);
  }
  for (const GalleryControl& c : kControls) {
    const bool tabStop = c.kind == Kind::Button || c.kind == Kind::Edit || c.kind == Kind::Slider;
    const DWORD style = WS_CHILD | WS_VISIBLE | (tabStop ? WS_TABSTOP : 0) | c.classBits;
    HWND window = CreateWindowExA(0, ClassName(c.kind), c.text, style, c.x, c.y, c.w, c.h, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), module, skin.Face());
    if (window)
      SetUp(window, c, skin);
    else
      ++missing;
  }
  return missing;
}
