// editor_bench.exe: what the editor page costs the thread that shows it. Times one tick of
// the page's meter timer (clip indicators, meters and level texts, painted at once) and one
// full repaint of the page with every control, on the filter and page made through the
// module's class factories and shown as a host shows them. A tick paints only what changes,
// so it is timed with nothing changing, with the meters moving under audio pushed through
// the filter, and with everything changing. The page's figures are also given with the
// hand-over of the drawn pixels to the display, which Wine makes when the thread next finds
// its message queue empty; a breakdown of the repaint follows. Prints one Markdown table.
//   editor_bench [--repetitions N]   (N for every case instead of each case's own count)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "BenchCase.h"
#include "EditorIds.h"
#include "EditorPageHost.h"
#include "PaintBreakdown.h"
#include "SkinProtocol.h"
#include "TimingTable.h"

namespace {

constexpr double kTickGoalMs = 0.5;
constexpr double kRepaintGoalMs = 10;
constexpr int kFramesPerTick = 512;  // pushed before each tick; the meters show its peak

// Levels that wander over the meters' 30 dB, unlike on the two channels, so every tick moves
// the bars, the held peaks and now and then the highest levels.
void PushWanderingLevels(EditorPageHost& shown, int i) {
    const float left = 0.03f + 0.9f * static_cast<float>((i * 37 + 1000) % 100) / 100.0f;
    const float right = 0.03f + 0.9f * static_cast<float>((i * 61 + 1050) % 100) / 100.0f;
    shown.filter.sink.samples.clear();  // the stand-in sink would keep every buffer
    shown.Push(left, right, kFramesPerTick);
}

// Moving meters, and besides: highest levels forgotten, so both level texts change, and
// every clip indicator's counter set apart from its displayed state (an overload as the
// filter marks it), so all four get a new picture.
void ChangeEverything(EditorPageHost& shown, int i) {
    PushWanderingLevels(shown, i);
    for (int meter : {kInputMeterLeft, kInputMeterRight, kOutputMeterLeft, kOutputMeterRight})
        SendDlgItemMessageA(shown.page, meter, QVMM_RESETMAX, 0, 0);
    IReverbControl* control = shown.filter.control;
    for (int counterSlot : {0, 2}) {
        control->SetClipHoldLeft(counterSlot, 3);
        control->SetClipHoldRight(counterSlot, 3);
        control->SetClipHoldLeft(counterSlot + 1, 0);
        control->SetClipHoldRight(counterSlot + 1, 0);
    }
}

void Tick(HWND page) {
    SendMessageA(page, WM_TIMER, kMeterTimer, 0);
    // The meters and indicators paint as they are given their levels and pictures; the
    // level texts paint here.
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

std::string LevelText(HWND page) {
    char text[64] = "";
    GetDlgItemTextA(page, kInputLevelText, text, sizeof text);
    return text;
}

// The --repetitions count, 0 for each case's own, -1 for a bad command line.
int ParseRepetitions(int argc, char** argv) {
    if (argc == 1) return 0;
    if (argc == 3 && std::strcmp(argv[1], "--repetitions") == 0) {
        char* end = nullptr;
        const long n = std::strtol(argv[2], &end, 10);
        if (*end == '\0' && n > 0 && n <= 1000000) return static_cast<int>(n);
    }
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    const int repetitions = ParseRepetitions(argc, argv);
    if (repetitions < 0) {
        std::fprintf(stderr, "usage: editor_bench [--repetitions N]\n");
        return 2;
    }
    EditorPageHost shown;
    const std::string failed = shown.Open();
    if (!failed.empty()) {
        std::fprintf(stderr, "editor_bench: %s\n", failed.c_str());
        return 1;
    }
    if (FAILED(shown.ConnectStereo())) {
        std::fprintf(stderr, "editor_bench: the filter did not start streaming\n");
        return 1;
    }
    HWND page = shown.page;
    KillTimer(page, kMeterTimer);  // only the measured ticks run
    Pump();
    // The meters must see the audio, or the ticks would time a page with nothing to show.
    PushWanderingLevels(shown, 0);
    Tick(page);
    if (LevelText(page).compare(0, 4, "-Inf") == 0) {
        std::fprintf(stderr, "editor_bench: the page's meters did not see the audio\n");
        return 1;
    }

    std::vector<BenchCase> cases = {
        {"timer tick, nothing changes", 1000, kTickGoalMs, [](int) {}, [page] { Tick(page); }, true},
        {"timer tick, meters move", 2000, kTickGoalMs, [&](int i) { PushWanderingLevels(shown, i); },
         [page] { Tick(page); }, true},
        {"timer tick, everything changes", 2000, kTickGoalMs, [&](int i) { ChangeEverything(shown, i); },
         [page] { Tick(page); }, true},
        {"full repaint", 300, kRepaintGoalMs, [](int) {},
         [page] { RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); },
         true},
    };
    for (BenchCase& c : PaintBreakdownCases(page)) cases.push_back(std::move(c));
    std::vector<TimingRow> rows;
    for (const BenchCase& c : cases) RunCase(c, repetitions, rows);
    std::fputs(FormatTimingTable(rows).c_str(), stdout);
    return 0;
}
