#include "EditorSettings.h"

#include "StoreText.h"

bool TakeEditorSettings(HWND editor, Preset& preset) {
    char* previous = preset.data;
    preset.data = nullptr;
    SendMessageA(editor, MSG_GET_PRESET_DATA, reinterpret_cast<WPARAM>(&preset.data), 0);
    if (preset.data == nullptr) {
        preset.data = previous;
        return false;
    }
    FreePresetData(previous);
    preset.version = kCurrentPresetVersion;
    return true;
}

bool AskAndUpdatePreset(PresetStore& store, HWND owner, Preset& preset) {
    const std::string question = FormatText(
        "Would you like to update the stored parameters for\nthe \"%s\" preset with the "
        "current settings?",
        preset.name);
    if (store.ShowMessage(owner, question.c_str(), MB_ICONQUESTION | MB_YESNO) != IDYES) {
        return false;
    }
    return TakeEditorSettings(store.EditorWindow(), preset);
}
