#pragma once
#include <windows.h>
#include <commctrl.h>

#include "ModalDialog.h"
#include "PresetStore.h"

// The Preset Manager: a tree of banks and presets with commands to add, update, rename,
// delete, import and export them. It edits a copy of the preset list so that Cancel can
// return to the list as it was; Save writes the preset file.
class PresetManagerDialog : public ModalDialog {
public:
    explicit PresetManagerDialog(PresetStore& store) : store_(store) {}
    // Runs the dialog owned by the editor window; the id of the preset double-clicked to
    // be applied, or 0.
    int Run();

private:
    bool OnInit() override;
    void OnCommand(int id) override;
    void OnNotify(const NMHDR& header) override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnDestroy() override;

    void CreateImages();
    void UpdateButtons();
    Preset* SelectedPreset() const;
    bool Ask(const std::string& question) const;

    void Update();
    void Delete();
    void Import();
    void Export();
    void Save(int result);
    void Discard(int result);
    // The close box, Escape and double-click: unsaved changes are first offered for saving.
    void CloseAsking(int result);
    void ApplySelected();

    PresetStore& store_;
    HWND tree_ = nullptr;
    HIMAGELIST images_ = nullptr;
};
