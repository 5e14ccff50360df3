#include <windows.h>
#include <commdlg.h>

#include "FileDialogs.h"
#include "StoreText.h"

namespace {
class CommonFileDialogs : public FileDialogs {
public:
    Result Show(const Request& request, std::string& path) override {
        char file[MAX_PATH] = {};
        CopyBounded(file, sizeof file, path.c_str());
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof dialog;
        dialog.hwndOwner = request.owner;
        dialog.lpstrFilter = "Preset Files (*.ini)\0*.ini\0All Files (*.*)\0*.*\0";
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof file;
        dialog.lpstrTitle = request.title;
        dialog.lpstrInitialDir = request.initialDirectory;
        dialog.Flags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (request.save) dialog.Flags |= OFN_OVERWRITEPROMPT;
        const BOOL chosen = request.save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
        if (chosen) {
            path = file;
            return kChosen;
        }
        return CommDlgExtendedError() == CDERR_GENERALCODES ? kFailed : kCancelled;
    }
};
}  // namespace

FileDialogs& SystemFileDialogs() {
    static CommonFileDialogs dialogs;
    return dialogs;
}
