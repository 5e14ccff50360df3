#include "ProcessResources.h"

#include <psapi.h>

#include <cstdio>

namespace {

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId()) {
        ++*reinterpret_cast<DWORD*>(count);
        EnumChildWindows(window, CountWindow, count);
    }
    return TRUE;
}

DWORD CountGdiObjects() {
    DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (count != 0) return count;
    for (ULONG_PTR index = 1; index <= 0xFFFF; ++index) {
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++count;
    }
    return count;
}

void Print(const char* when, const Resources& r) {
    std::printf("  %-14s handles %4lu (lowest free %4zu)  GDI %4lu  USER %4lu  windows %3lu  private %7zu kB"
                "  working set %7zu kB\n",
                when, r.handles, size_t(r.nextHandle), r.gdi, r.user, r.windows, r.privateBytes / 1024,
                r.workingSet / 1024);
}

bool Flat(const Resources& warm, const Resources& end) {
    const bool flat = end.handles <= warm.handles + 8 && end.nextHandle <= warm.nextHandle + 8 &&
                      end.gdi <= warm.gdi && end.user <= warm.user && end.windows <= warm.windows &&
                      end.privateBytes <= warm.privateBytes + 1024 * 1024;
    std::printf("  %s\n", flat ? "flat" : "GREW");
    return flat;
}

}  // namespace

Resources ReadResources() {
    Resources r;
    GetProcessHandleCount(GetCurrentProcess(), &r.handles);
    HANDLE probe = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), GetCurrentProcess(), GetCurrentProcess(), &probe, 0, FALSE,
                        DUPLICATE_SAME_ACCESS)) {
        r.nextHandle = reinterpret_cast<uintptr_t>(probe) / 4;
        CloseHandle(probe);
    }
    r.gdi = CountGdiObjects();
    r.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    EnumWindows(CountWindow, reinterpret_cast<LPARAM>(&r.windows));
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    r.privateBytes = memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage;
    r.workingSet = memory.WorkingSetSize;
    return r;
}

bool Readings::Report(const std::string& title) {
    const Resources end = ReadResources();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began_).count();
    std::printf("%s in %.1f s\n", title.c_str(), seconds);
    Print("start", start_);
    Print("after warm-up", warm_);
    Print("end", end);
    return Flat(warm_, end);
}
