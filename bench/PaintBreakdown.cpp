#include "PaintBreakdown.h"

#include <set>
#include <string>

namespace {

constexpr int kRepetitions = 300;
constexpr int kBufferWidth = 154, kBufferHeight = 90;  // the reverb-time display, the largest control

LRESULT CALLBACK EmptyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 0;
    }
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateEmptyWindow(HWND page) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = EmptyWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "EditorBenchEmpty";
    RegisterClassA(&windowClass);
    // In the bottom strip, where the page has no controls.
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_CHILD | WS_VISIBLE, 4, 430, 12, 12, page, nullptr,
                           windowClass.hInstance, nullptr);
}

void Repaint(HWND window, UINT extraFlags) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | extraFlags);
}

void Nothing(int) {}

}  // namespace

std::vector<BenchCase> PaintBreakdownCases(HWND page) {
    std::vector<BenchCase> cases;
    std::set<std::string> classes;
    for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = "";
        GetClassNameA(child, name, sizeof name);
        if (!classes.insert(name).second) continue;
        cases.push_back({std::string("one ") + name + " repainted", kRepetitions, 0, Nothing,
                         [child] { Repaint(child, 0); }, false});
    }
    cases.push_back({"page background alone", kRepetitions, 0, Nothing, [page] { Repaint(page, RDW_NOCHILDREN); },
                     false});
    HWND empty = CreateEmptyWindow(page);
    cases.push_back({"empty window repainted", kRepetitions, 0, Nothing, [empty] { Repaint(empty, 0); }, false});
    cases.push_back({"memory DC and bitmap made and freed", kRepetitions, 0, Nothing,
                     [empty] {
                         HDC window = GetDC(empty);
                         HDC memory = CreateCompatibleDC(window);
                         HBITMAP buffer = CreateCompatibleBitmap(window, kBufferWidth, kBufferHeight);
                         HGDIOBJ old = SelectObject(memory, buffer);
                         SelectObject(memory, old);
                         DeleteObject(buffer);
                         DeleteDC(memory);
                         ReleaseDC(empty, window);
                     },
                     false});
    return cases;
}
