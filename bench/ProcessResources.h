#pragma once
// What the cycle run reads of its own process, and the rule that calls it flat.
#include <windows.h>

#include <chrono>
#include <string>

// What the run watches. Wine does not count handles or GUI objects (both read 0 there) nor
// fill PrivateUsage; the lowest free handle value then shows leaked handles, the live
// entries of the GDI handle table (Wine takes an index alone as a handle) leaked GDI
// objects, the windows of the process leaked USER objects, and the commit charge
// (PagefileUsage, the same figure on Windows) private memory.
struct Resources {
    DWORD handles = 0, gdi = 0, user = 0, windows = 0;
    uintptr_t nextHandle = 0;
    SIZE_T privateBytes = 0, workingSet = 0;
};

Resources ReadResources();

// Reads the resources at the start, after a tenth of the cycles and at the end.
class Readings {
public:
    explicit Readings(int cycles)
        : cycles_(cycles), start_(ReadResources()), began_(std::chrono::steady_clock::now()) {}
    void AfterCycle(int cycle) {
        if (cycle == (cycles_ >= 10 ? cycles_ / 10 : 1)) warm_ = ReadResources();
    }
    // Prints the figures under `title`; true when they are flat: no more handles, GDI
    // objects or windows than after the warm-up (a few handles of slack for the platform's
    // own threads coming and going), private memory within 1 MB of it.
    bool Report(const std::string& title);

private:
    int cycles_;
    Resources start_, warm_;
    std::chrono::steady_clock::time_point began_;
};
