#pragma once
#include <windows.h>

#include <string>

// The open and save file dialogs of the Preset Manager's Import and Export. The product
// shows the platform's dialogs; tests answer without a window.
class FileDialogs {
public:
    enum Result : int { kChosen, kCancelled, kFailed };

    struct Request {
        bool save;                     // save (asks before overwriting) or open
        HWND owner;
        const char* title;
        const char* initialDirectory;  // null: wherever the platform starts
    };

    virtual ~FileDialogs() = default;
    // `path` holds the suggested file name on entry and the chosen path after kChosen.
    // kFailed means the platform could not show the dialog at all; any other failure
    // counts as kCancelled.
    virtual Result Show(const Request& request, std::string& path) = 0;
};

// The platform's Explorer-style dialogs for preset files.
FileDialogs& SystemFileDialogs();
