#pragma once

// Command identifiers of the Presets menu and of the Preset Manager's move menu. Preset ids
// serve as command identifiers in the same menus, so the store never hands these out.
constexpr int kCommandUpdatePreset = 1503;
constexpr int kCommandMoveToRoot = 5000;
constexpr int kCommandMoveToNewBank = 5001;
constexpr int kCommandPresetManager = 10500;
constexpr int kCommandAddPreset = 10501;

inline bool IsPresetMenuCommand(int id) {
    return id == kCommandUpdatePreset || id == kCommandMoveToRoot ||
           id == kCommandMoveToNewBank || id == kCommandPresetManager ||
           id == kCommandAddPreset;
}
