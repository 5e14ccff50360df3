// The Import and Export file dialogs, as the store runs them for the Preset Manager.
#include <cstring>

#include "PresetStore.h"

bool PresetStore::ChoosePresetFile(bool save, const char* title, std::string& path) {
    // Each kind of dialog starts in the preset file's folder until it has been confirmed
    // once; from then on the platform remembers where the user went.
    const int confirmed = save ? saveDialogs_ : openDialogs_;
    const char* lastBackslash = std::strrchr(filePath_, '\\');
    const std::string folder =
        lastBackslash != nullptr ? std::string(static_cast<const char*>(filePath_), lastBackslash + 1) : std::string();
    const FileDialogs::Request request = {
        save, manager_, title, confirmed == 0 && !folder.empty() ? folder.c_str() : nullptr};
    switch (fileDialogs_.Show(request, path)) {
        case FileDialogs::kChosen:
            ++(save ? saveDialogs_ : openDialogs_);
            return true;
        case FileDialogs::kFailed:
            ShowMessage(manager_, "Unable to open file dialog.", MB_ICONSTOP | MB_OK);
            return false;
        default:
            return false;
    }
}
