#pragma once
// What the editor calls to offer the presets: the Presets menu, its commands, the Preset
// Manager, and the context menu of the editor's bottom strip.
#include <windows.h>

#include <functional>

#include "PresetStore.h"

// Completes a popup menu that already holds "Add Preset..." (10501) at position 0 and
// "Preset Manager..." (10500) at position 1: the update item for the current preset, a
// separator, the banks as submenus (bank names compared exactly), the presets, and the
// current preset's radio mark.
void BuildPresetsMenu(PresetStore& store, HMENU menu);

// Handles an identifier chosen from that menu (or a preset id the Manager returned). For
// a preset: it becomes the current one, and its data text (owned by the store) and version
// are returned. 1503 asks to update the current preset, writes the file and returns null;
// anything else returns null.
const char* PresetsMenuCommand(PresetStore& store, int id, int* version);

// "Add Preset...": the add dialog over the editor, then the list is sorted and the preset
// file written whatever the dialog's outcome.
void AddPresetFromMenu(PresetStore& store);

// "Preset Manager...": runs the Manager modally over the editor; the id of the preset that
// was double-clicked there, or 0. Returns 0 at once while the Manager is open.
int ShowPresetManager(PresetStore& store);

// The Presets button: the popup menu with the two fixed items and the presets, shown by
// `show` (which returns the chosen identifier, 0 for none); the Manager or the add dialog
// when chosen. Returns what PresetsMenuCommand returns for the choice, or null.
const char* RunPresetsMenu(PresetStore& store, const std::function<int(HMENU)>& show, int* version);

// Opens a web address in the user's browser.
using OpenAddress = void (*)(HWND owner, const char* address);
void OpenInBrowser(HWND owner, const char* address);

// The maker's home page, offered by the editor's context menu.
constexpr char kMakerHomePage[] = "https://www.quillorn.com/";

// The editor's context menu at a screen point: "Go to Quillorn home page..." (1001), which
// opens the maker's home page. Returns 0.
int EditorContextMenu(HWND editor, POINT screenPoint, OpenAddress open = OpenInBrowser);
