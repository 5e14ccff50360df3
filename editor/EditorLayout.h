#pragma once
// The 42 skinned controls of the editor page: class, place, style and set-up, in creation
// order, which is also the tab order.
#include <windows.h>

#include "EditorSkin.h"

enum class ControlKind { PushButton, Edit, Slider, FreqDisplay, RevTime, Meter, LevelText };

struct EditorControl {
    int id;
    ControlKind kind;
    bool tabStop;
    DWORD classBits;  // the class's own low style bits
    int x, y, width, height;
    const char* text;
    int imageA, imageB;  // RCDATA skin images: normal and pressed, face, thumb, unlit and lit
    int tickStep, tickOffset;  // sliders: tick spacing (also the page size) and offset
    const RECT* focusMargins;  // push buttons drawn as one group: where the focus frame goes
};

extern const EditorControl kEditorControls[];
extern const int kEditorControlCount;

// Creates every control of the table in `page` with its set-up messages, then moves the
// dialog template's four clip indicators into place with the dark picture. Returns how
// many controls could not be made.
int CreateEditorControls(HWND page, HINSTANCE module, const EditorSkin& skin);

// Gives the seven sliders of `page` their travel.
void SetSliderRanges(HWND page);
