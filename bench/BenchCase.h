#pragma once
// One case of a self-timing benchmark on Windows: untimed preparation, timed work, warm-up,
// repetitions, timed with the performance counter.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "TimingTable.h"

struct BenchCase {
    std::string name;
    int repetitions;
    double goal;                       // milliseconds, 0 for none
    std::function<void(int)> prepare;  // before each repetition, untimed (negative: warm-up)
    std::function<void()> work;
    // Also time the work with the hand-over of what it drew to the display, as a row of
    // its own ("<name> + display").
    bool withDisplay;
};

// Times `c` over `repetitions` runs (its own count when 0) after a tenth as many warm-up
// runs, and adds its rows to `rows`.
void RunCase(const BenchCase& c, int repetitions, std::vector<TimingRow>& rows);
