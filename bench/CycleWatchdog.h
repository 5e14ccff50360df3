#pragma once
// The cycle run's watchdog: a hang ends the run with its step named, never a run that
// does not end.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <thread>

constexpr DWORD kStepLimitMs = 20000;  // far beyond any step's normal time

// Ends the process with a message when a step runs past its limit: a hang is a failure
// with its step named, never a run that does not end.
class Watchdog {
public:
    Watchdog() : thread_([this] { Watch(); }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }
    void Begin(const char* step, int cycle) {
        step_ = step;
        cycle_ = cycle;
        started_ = GetTickCount64();
    }

private:
    void Watch() {
        while (!stop_) {
            Sleep(100);
            if (GetTickCount64() - started_ > kStepLimitMs) {
                std::fprintf(stderr, "resource_cycles: HANG: %s of cycle %d did not finish within %lu s\n",
                             step_.load(), cycle_.load(), kStepLimitMs / 1000);
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    }

    std::atomic<const char*> step_{"start"};
    std::atomic<int> cycle_{0};
    std::atomic<ULONGLONG> started_{GetTickCount64()};
    std::atomic<bool> stop_{false};
    std::thread thread_;
};
