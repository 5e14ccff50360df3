#pragma once
// Read access to the resources linked into the test program itself, so the tests see the
// bytes exactly as the module will carry them.
#include <windows.h>

struct ResourceBytes {
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// The resource `id` of `type` in `module`; empty when it is missing.
ResourceBytes FindModuleResource(HMODULE module, int id, LPCSTR type);
// The same in this program's module.
ResourceBytes FindOwnResource(int id, LPCSTR type);

struct Colour {
  int r = 0, g = 0, b = 0;
  int Brightness() const { return (r * 30 + g * 59 + b * 11) / 100; }
};

// A packed BITMAP resource: BITMAPINFOHEADER, colour table, bottom-up padded rows.
class DibView {
 public:
  explicit DibView(ResourceBytes bytes) : bytes_(bytes) {}
  // The header is complete and the pixel rows fit into the resource.
  bool Complete() const;
  const BITMAPINFOHEADER& Header() const;
  int ColourTableEntries() const;
  RGBQUAD TableEntry(int index) const;
  int IndexAt(int x, int y) const;     // palette index of a pixel (y counted from the top)
  Colour ColourAt(int x, int y) const; // colour of a pixel, through the palette when indexed

 private:
  const BYTE* Row(int y) const;
  ResourceBytes bytes_;
};

// One pixel of a skin image (R, G, B, T; T = 255 fully see-through).
struct Rgbt {
  int r, g, b, t;
};
Rgbt RgbtAt(ResourceBytes image, int width, int x, int y);
