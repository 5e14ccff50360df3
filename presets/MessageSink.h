#pragma once
#include <windows.h>

// Where the preset system's message boxes go. The product shows real message boxes;
// tests answer without a window.
class MessageSink {
public:
    virtual ~MessageSink() = default;
    // Returns the button chosen (IDOK, IDYES, IDNO, IDCANCEL).
    virtual int Show(HWND owner, const char* text, const char* caption, UINT flags) = 0;
};

// The sink that shows MessageBox.
MessageSink& SystemMessageSink();
