#pragma once
// The editor's help: the help file installed beside the module, opened in the system's HTML
// Help viewer over the page that asked.
#include <windows.h>

#include <cstddef>

class HelpViewer;
class MessageSink;

// The module's own full path with its file name replaced by the help file's, cut to fit
// `size` characters (MAX_PATH in the editor).
void BuildHelpPath(char* buffer, size_t size);

// Replaces the file-name part of `path` (after its last ':' or '\', or all of it when it has
// neither) with the help file's name, cut to the room left in `size` characters.
void PutHelpFileName(char* path, size_t size);

// Opens the help file at its default topic, owned by `page`; when that fails, tells the user
// which file could not be opened. Returns the viewer's window, or null.
HWND OpenHelpFile(HWND page);
HWND OpenHelpFile(HWND page, HelpViewer& viewer, MessageSink& messages);
