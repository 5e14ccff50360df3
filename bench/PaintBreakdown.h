#pragma once
// Where a repaint of the editor page spends its time: one control of each window class
// repainted alone, the page's background alone, and what any painted window costs before
// it draws anything (the paint cycle of an empty window, the memory bitmap of the
// controls' off-screen drawing). Cases without goals, to read beside the page's figures.
#include <windows.h>

#include <vector>

#include "BenchCase.h"

// The cases for the shown page `page`; adds an empty child window to it for the last ones.
std::vector<BenchCase> PaintBreakdownCases(HWND page);
