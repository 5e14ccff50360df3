// gallery.exe: the editor's face with the editor's controls on it, made by the editor's own
// layout and skin code, for looking at the artwork and the controls together. Prints the
// screen rectangle of its client area ("client X Y W H") so a script can capture exactly the
// face. Exits with 3 when a control or a picture is missing, so a run under the test suite
// proves every class and picture works.
#include <windows.h>

#include <cstdio>
#include <initializer_list>

#include "EditorIds.h"
#include "EditorSkin.h"
#include "GalleryControls.h"
#include "GalleryOptions.h"
#include "SkinClasses.h"

namespace {

constexpr UINT_PTR kExitTimer = 1;
constexpr char kWindowClass[] = "qvRuvodaR3Gallery";

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      const auto* skin = reinterpret_cast<const EditorSkin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      HDC target = reinterpret_cast<HDC>(wParam);
      HDC source = CreateCompatibleDC(target);
      HGDIOBJ old = SelectObject(source, skin->Background());
      BitBlt(target, 0, 0, kPageWidth, kPageHeight, source, 0, 0, SRCCOPY);
      SelectObject(source, old);
      DeleteDC(source);
      return 1;
    }
    case WM_TIMER:
      if (wParam == kExitTimer) DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateGalleryWindow(HINSTANCE module, const EditorSkin& skin) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = GalleryProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconA(module, MAKEINTRESOURCEA(506));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, kPageWidth, kPageHeight};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExA(0, kWindowClass, "qv:Ruvoda R3 gallery", style, 40, 40, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, module, nullptr);
  if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&skin));
  return window;
}

// The pictures that only show in some states, so a missing one would not be seen at once.
int MissingPictures(const EditorSkin& skin) {
  int missing = 0;
  for (HBITMAP picture : {skin.FreqOverlay(), skin.RevTimeOverlay(), skin.Led(ClipLed::Off),
                          skin.Led(ClipLed::Held), skin.Led(ClipLed::Lit)})
    if (!picture) ++missing;
  return missing;
}

void ReportClientRectangle(HWND window) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  RECT client{};
  GetClientRect(window, &client);
  std::printf("client %ld %ld %ld %ld\n", origin.x, origin.y, client.right, client.bottom);
  std::fflush(stdout);
}

}  // namespace

int WINAPI WinMain(HINSTANCE module, HINSTANCE, LPSTR commandLine, int show) {
  const GalleryOptions options = ParseGalleryOptions(commandLine);
  if (!options.valid) {
    std::fprintf(stderr, "usage: gallery [--exit-after MS]\n");
    return 2;
  }
  EditorSkin skin;
  if (!skin.Load(module)) {
    std::fprintf(stderr, "gallery: the face picture (BITMAP 103) is missing\n");
    return 1;
  }
  RegisterSkinClasses(module);
  HWND window = CreateGalleryWindow(module, skin);
  if (!window) return 1;
  const int missing = CreateGalleryControls(window, module, skin);
  if (missing) std::fprintf(stderr, "gallery: %d controls could not be created\n", missing);
  const int missingPictures = MissingPictures(skin);
  if (missingPictures) std::fprintf(stderr, "gallery: %d pictures are missing\n", missingPictures);
  ShowWindow(window, show);
  UpdateWindow(window);
  ReportClientRectangle(window);
  if (options.exitAfterMs) SetTimer(window, kExitTimer, static_cast<UINT>(options.exitAfterMs), nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    if (!IsDialogMessageA(window, &message)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  return missing || missingPictures ? 3 : 0;
}
