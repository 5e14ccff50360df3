// gallery.exe: the editor's face with one of every skinned control on it, for looking at
// the artwork and the controls together. Prints the screen rectangle of its client area
// ("client X Y W H") so a script can capture exactly the face. Exits with 3 when a control
// could not be created, so a run under the test suite proves every class and picture works.
#include <windows.h>

#include <cstdio>

#include "GalleryControls.h"
#include "GalleryOptions.h"
#include "GallerySkin.h"
#include "SkinClasses.h"

namespace {

constexpr int kFaceWidth = 428;
constexpr int kFaceHeight = 451;
constexpr UINT_PTR kExitTimer = 1;
constexpr char kWindowClass[] = "qvRuvodaR3Gallery";

LRESULT CALLBACK GalleryProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND: {
      const auto* skin = reinterpret_cast<const GallerySkin*>(GetWindowLongPtrA(window, GWLP_USERDATA));
      HDC target = reinterpret_cast<HDC>(wParam);
      HDC source = CreateCompatibleDC(target);
      HGDIOBJ old = SelectObject(source, skin->Face());
      BitBlt(target, 0, 0, kFaceWidth, kFaceHeight, source, 0, 0, SRCCOPY);
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

HWND CreateGalleryWindow(HINSTANCE module, const GallerySkin& skin) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = GalleryProc;
  windowClass.hInstance = module;
  windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
  windowClass.hIcon = LoadIconA(module, MAKEINTRESOURCEA(506));
  windowClass.lpszClassName = kWindowClass;
  RegisterClassA(&windowClass);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, kFaceWidth, kFaceHeight};
  AdjustWindowRect(&frame, style, FALSE);
  HWND window = CreateWindowExA(0, kWindowClass, "qv:Ruvoda R3 gallery", style, 40, 40, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, module, nullptr);
  if (window) SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&skin));
  return window;
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
  GallerySkin skin;
  if (!skin.Load(module)) {
    std::fprintf(stderr, "gallery: the face picture (BITMAP 103) is missing\n");
    return 1;
  }
  RegisterSkinClasses(module);
  HWND window = CreateGalleryWindow(module, skin);
  if (!window) return 1;
  const int missing = CreateGalleryControls(window, module, skin);
  if (missing) std::fprintf(stderr, "gallery: %d controls could not be created\n", missing);
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
  return missing ? 3 : 0;
}
