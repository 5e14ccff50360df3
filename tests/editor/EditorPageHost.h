#pragma once
// The editor page as a host shows it: the filter (between stand-in pins, so audio can be
// pushed through it) and the page, both made by the module's class factories, the page
// activated in a visible host window. Shared by the editor tests and the editor benchmark.
#include <windows.h>
#include <ocidl.h>

#include <string>

#include "FilterHarness.h"

class EditorPageHost {
public:
    EditorPageHost() = default;
    virtual ~EditorPageHost();
    EditorPageHost(const EditorPageHost&) = delete;
    EditorPageHost& operator=(const EditorPageHost&) = delete;

    // Makes the page, hands it the filter and shows it. The page finds its dialog and
    // pictures in this program's module. Returns "" on success, else the step that failed.
    std::string Open();
    // Deactivates and releases the page; also done on destruction.
    void Close();
    // Connects the filter for 44.1 kHz stereo float and starts streaming.
    HRESULT ConnectStereo();
    // Pushes `frames` stereo frames of a constant value per channel through the filter.
    HRESULT Push(float left, float right, int frames);

    FilterHarness filter;
    IPropertyPage* pageObject = nullptr;
    HWND host = nullptr;
    HWND page = nullptr;
    MediaType stereo = WaveType(WAVE_FORMAT_IEEE_FLOAT, 2, 44100, 32);
};

// Dispatches every message waiting for this thread.
void Pump();
