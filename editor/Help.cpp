#include "Help.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "HelpViewer.h"
#include "MessageSink.h"
#include "ServerModule.h"

namespace {
const char kHelpFileName[] = "deZovuvi.chm";
const UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC: the file's default topic
}  // namespace

void PutHelpFileName(char* path, size_t size) {
    if (path == nullptr || size == 0) return;
    path[size - 1] = '\0';
    size_t nameStart = 0;
    for (size_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == ':' || path[i] == '\\') nameStart = i + 1;
    }
    const size_t room = size - 1 - nameStart;
    const size_t length = std::min(room, sizeof kHelpFileName - 1);
    std::memcpy(path + nameStart, kHelpFileName, length);
    path[nameStart + length] = '\0';
}

void BuildHelpPath(char* buffer, size_t size) {
    if (buffer == nullptr || size == 0) return;
    // The DLL's own path, not the host's: the help file is installed beside the filter.
    if (GetModuleFileNameA(ServerModule(), buffer, static_cast<DWORD>(size)) == 0) buffer[0] = '\0';
    PutHelpFileName(buffer, size);
}

HWND OpenHelpFile(HWND page, HelpViewer& viewer, MessageSink& messages) {
    char path[MAX_PATH];
    BuildHelpPath(path, sizeof path);
    HWND window = viewer.Call(page, path, kDisplayTopic, 0);
    if (window == nullptr) {
        const std::string text =
            std::string("Unable to open the Quillorn qv:Ruvoda R3 help file:\n") + path;
        messages.Show(page, text.c_str(), "Error", MB_OK | MB_ICONEXCLAMATION);
    }
    return window;
}

HWND OpenHelpFile(HWND page) {
    return OpenHelpFile(page, ProcessHelpViewer(), SystemMessageSink());
}
