#include "BenchCase.h"

namespace {

LONGLONG Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Wine hands what the thread's windows drew to the display when the thread finds its
// message queue empty.
void HandOverToDisplay() {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);
}

}  // namespace

void RunCase(const BenchCase& c, int repetitions, std::vector<TimingRow>& rows) {
    if (repetitions == 0) repetitions = c.repetitions;
    std::vector<double> drawn, shown;
    for (int i = -(repetitions / 10 + 1); i < repetitions; ++i) {
        c.prepare(i);
        const LONGLONG start = Now();
        c.work();
        const LONGLONG done = Now();
        // Outside the work's own time, so that the next repetition starts with nothing pending.
        HandOverToDisplay();
        const LONGLONG handedOver = Now();
        if (i < 0) continue;
        drawn.push_back(Milliseconds(done - start));
        shown.push_back(Milliseconds(handedOver - start));
    }
    rows.push_back({c.name, Summarize(drawn), c.goal});
    if (c.withDisplay) rows.push_back({c.name + " + display", Summarize(shown), c.goal});
}
