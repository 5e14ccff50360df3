// desktop-keeper.exe: holds a Wine prefix's desktop open until the prefix's server is stopped.
// Wine closes the desktop, and ends its explorer.exe, a moment after the last program on it
// exits; the next program that needs the desktop starts a new explorer.exe that inherits that
// program's standard error and outlives it. A test runner waits for a test's output to close,
// so that test then lasts until the desktop closes again, which on a busy run means until the
// other tests are done. Started once before the tests with its standard handles on /dev/null,
// this program is the desktop's first and lasting user: explorer.exe inherits nothing of a test.
// Prints "ready" once the desktop is up.
#include <windows.h>

#include <cstdio>

int main() {
    if (!GetDesktopWindow()) {
        std::fprintf(stderr, "desktop-keeper: no desktop window\n");
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);
    Sleep(INFINITE);
    return 0;
}
