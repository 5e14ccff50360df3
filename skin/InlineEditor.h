#pragma once
// The text box a qv:Edit lays over itself for typing a value. At most one is open in the
// process; the wheel handlers of sliders and fields ignore the wheel while it is.
#include <windows.h>

// Opens the box over `edit`, filled with the field's text, all of it selected and focused.
void OpenInlineEditor(HWND edit);
// The open box, or null.
HWND OpenInlineEditorWindow();
// Destroys the open box, if any, without applying it.
void CloseInlineEditor();
