#include "InterruptCleanup.h"

#include <csignal>
#include <cstdio>
#include <cstring>

namespace {

// The handler may only touch plain static memory, hence a fixed buffer.
char gPath[4096];
volatile std::sig_atomic_t gArmed = 0;

extern "C" void OnInterrupt(int signal) {
    if (gArmed) std::remove(gPath);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

void RemoveOnInterrupt(const std::string& path) {
    gArmed = 0;
    if (path.empty() || path.size() >= sizeof gPath) return;
    std::memcpy(gPath, path.c_str(), path.size() + 1);
    gArmed = 1;
    std::signal(SIGINT, OnInterrupt);
    std::signal(SIGTERM, OnInterrupt);
}
