#include "HostWindow.h"

#include <cmath>

#include "FrameScreenshot.h"
#include "PlaybackGraph.h"

namespace {

const wchar_t kClassName[] = L"qvRuvodaR3Host";
constexpr UINT_PTR kShotTimer = 1;

}  // namespace

HostWindow::~HostWindow() {
    if (window_) DestroyWindow(window_);
}

int HostWindow::Create(std::string& error) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kClassName;
    RegisterClassExW(&windowClass);
    // Message-only: it never shows and is never taken for the frame.
    window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, windowClass.hInstance,
                              nullptr);
    if (!window_) {
        error = "cannot create the program's message window (error " + std::to_string(GetLastError()) + ")";
        return -1;
    }
    SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return 0;
}

void HostWindow::Schedule(FrameScreenshot& shot, double seconds) {
    shot_ = &shot;
    SetTimer(window_, kShotTimer, static_cast<UINT>(std::lround(seconds * 1000.0)), nullptr);
}

LRESULT CALLBACK HostWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* host = reinterpret_cast<HostWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (host && message == kGraphEvent) {
        host->graph_.HandleEvents();
        return 0;
    }
    if (host && message == WM_TIMER && wParam == kShotTimer) {
        KillTimer(window, kShotTimer);
        if (host->shot_) host->shot_->Take();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
