#pragma once
#include <windows.h>

#include "Preset.h"
#include "PresetStore.h"

// Gives the preset the editor's current settings through MSG_GET_PRESET_DATA, as version
// 3. When the editor hands over no text the preset keeps what it had; false then.
bool TakeEditorSettings(HWND editor, Preset& preset);

// Asks whether the preset is to take the current settings (a question owned by `owner`)
// and, on Yes, gives it them; true when it was updated.
bool AskAndUpdatePreset(PresetStore& store, HWND owner, Preset& preset);
