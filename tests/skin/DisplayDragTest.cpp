// Dragging the parts of qv:FreqDisplay and qv:RevTime with real mouse messages: which part
// a press grabs, the values reported as it moves, and the limits they stop at. The editor
// tests feed the displays' reports to the page; here the displays make them.
#include <gtest/gtest.h>

#include "Controls.h"
#include "SkinProtocol.h"

namespace {

constexpr int kId = 10007;

// Moving the pointer queues real mouse messages, possibly a little later; dispatch them all
// now, before a test presses and drags, so that none of them lands in the drag. Returns once
// no mouse message has come for a while.
void SettlePointer() {
    for (int round = 0; round < 10; ++round) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 30, QS_MOUSE);
        int mouseMessages = 0;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message >= WM_MOUSEFIRST && message.message <= WM_MOUSELAST) ++mouseMessages;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (mouseMessages == 0) return;
    }
}

// Puts the pointer over client point (x, y) and lets the control choose its shape (and the
// part a press grabs). Retries when another program moved the pointer in between.
void PointAt(HWND control, int x, int y) {
    POINT screen = {x, y};
    ClientToScreen(control, &screen);
    for (int attempt = 0; attempt < 20; ++attempt) {
        SetCursorPos(screen.x, screen.y);
        SettlePointer();
        SendMessageA(control, WM_SETCURSOR, reinterpret_cast<WPARAM>(control), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        POINT now;
        GetCursorPos(&now);
        if (now.x == screen.x && now.y == screen.y) return;
    }
    ADD_FAILURE() << "the pointer would not stay at (" << screen.x << ", " << screen.y << ")";
}

struct Display {
    const char* className;
    int height;
    UINT changed;  // the notification of a dragged value
};
const Display kFreq = {kFreqDisplayClassName, 44, QVFN_CHANGED};
const Display kRevTime = {kRevTimeClassName, 90, QVRN_CHANGED};

// At the defaults both edges of the frequency display sit at the ends of the plot area
// (inset 3); 1000 Hz is mouse pixel 86. The reverb-time display's mouse sees the crossover at
// x 71, the damping at x 115 and both levels at y 45.
TEST(DisplayDrag, MovesTheGrabbedPartWithinItsLimits) {
    enum { kMultiplier = 0, kCrossover = 1, kReverbTime = 2, kDamping = 3 };
    struct Case {
        const char* name;
        const Display& display;
        std::vector<Message> setup;
        POINT press;
        std::vector<POINT> moves;
        std::vector<std::pair<int, int>> changes;  // (part, value)
    };
    const Case cases[] = {
        // Pressed two pixels right of the edge: the edge keeps that offset, no jump to 88. Dragging
        // ends 20 pixels right of the area (150 + 20 - the offset).
        {"low edge", kFreq, {{QVFM_SETLOW, 1000, 0}, {QVFM_SETLIMIT, 1, 100000}}, {88, 5},
         {{88, 5}, {98, 5}, {500, 5}, {169, 5}}, {{0, 989}, {0, 1584}, {0, 46923}, {0, 44766}}},
        // Both handles cover x 83; the high one wins and stops at its limits.
        {"high edge over the low one", kFreq,
         {{QVFM_SETLOW, 760, 0}, {QVFM_SETHIGH, 1000, 0}, {QVFM_SETLIMIT, 2, 2000}, {QVFM_SETLIMIT, 3, 9000}},
         {83, 5}, {{150, 5}, {20, 5}}, {{1, 9000}, {1, 2000}}},
        // The band stops at the low end while the high edge follows the pointer.
        {"band", kFreq, {{QVFM_SETLOW, 100, 0}, {QVFM_SETHIGH, 10000, 0}}, {80, 20}, {{20, 20}}, {{0, 19}, {1, 589}}},
        {"crossover edge", kRevTime, {}, {71, 70}, {{81, 20}}, {{kCrossover, 782}}},
        {"damping edge", kRevTime, {}, {115, 70}, {{125, 20}}, {{kDamping, 6202}}},
        // The multiplier moves in tenths and stays within 2 and 30 (109 ms and 4815 ms).
        {"low level", kRevTime, {}, {30, 45}, {{90, 61}, {30, 80}, {30, 30}},
         {{kMultiplier, 3}, {kMultiplier, 2}, {kMultiplier, 30}}},
        // 3 right of and 3 below the corner: both values of the group.
        {"low handle", kRevTime, {}, {68, 48}, {{78, 38}}, {{kCrossover, 782}, {kMultiplier, 21}}},
        {"mid level", kRevTime, {}, {90, 45}, {{90, 35}}, {{kReverbTime, 3299}}},
    };
    TestParent parent;
    // The reports since the last call, each checked to be the display's value notification.
    const auto changes = [&parent](const Display& display) {
        std::vector<std::pair<int, int>> reports;
        for (const Message& n : parent.Take()) {
            EXPECT_EQ(n.message, display.changed);
            EXPECT_EQ(LOWORD(n.wParam), kId);
            reports.emplace_back(HIWORD(n.wParam), static_cast<int>(n.lParam));
        }
        return reports;
    };
    for (const Case& c : cases) {
        HWND display = parent.CreateControl(c.display.className, 0, 20, 20, 154, c.display.height, kId);
        for (const Message& m : c.setup) SendMessageA(display, m.message, m.wParam, m.lParam);
        PointAt(display, c.press.x, c.press.y);
        Press(display, c.press.x, c.press.y);
        for (const POINT& to : c.moves) MoveTo(display, to.x, to.y);
        EXPECT_EQ(changes(c.display), c.changes) << c.name;
        Release(display, c.moves.back().x, c.moves.back().y);
        EXPECT_NE(GetCapture(), display) << c.name;
        MoveTo(display, 60, c.press.y);
        EXPECT_TRUE(changes(c.display).empty()) << c.name << ": moves after the release";
        DestroyWindow(display);
    }
}

}  // namespace
