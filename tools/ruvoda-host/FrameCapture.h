#pragma once
#include <windows.h>

#include <string>

#include "BmpFile.h"

// Finding the property frame among this thread's windows and taking its picture as the
// user sees it.

// The visible top-level window of this thread whose title holds `caption`; null if none.
HWND FindFrameWindow(const std::wstring& caption);

// The frame's descendant window of exactly `size` (the page), relative to the frame
// window's top-left corner. False when there is none.
bool FindPageRect(HWND frame, SIZE size, RECT& page);

// The pixels of `window`'s whole rectangle as it is drawn on the screen, frame and caption
// included, also where another window happens to cover it.
// 0, or -1 with `error` set.
int CaptureWindow(HWND window, Picture& picture, std::string& error);
