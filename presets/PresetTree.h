#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <string>

#include "PresetSelection.h"
#include "PresetStore.h"

// The Preset Manager's tree of banks and presets, in the store's tree window. Items carry
// the root's or a bank's marker, or a preset's id; the markers are never preset ids.
constexpr LPARAM kRootItemValue = 0xAABBCCDD;
constexpr LPARAM kBankItemValue = 0xBAADBEEF;

// Images of the tree's image list.
enum PresetTreeImage : int { kRootImage, kPresetImage, kClosedBankImage, kOpenBankImage };

// Posted by the tree to its dialog when the right button goes down over it, after the
// press has selected the item under the pointer; wParam and lParam are the button's.
constexpr UINT kTreeContextMenuMessage = WM_USER + 1000;

// Sorts the store and fills the tree anew: the root, the banks (names compared
// case-insensitively) with their presets in alphabetical order, then the presets without
// a bank. The root ends up expanded and selected. Nothing without a tree window.
void RebuildPresetTree(PresetStore& store);

// An item's text, up to 255 characters.
std::string TreeItemText(HWND tree, HTREEITEM item);

// Selects the first item carrying `id`; nothing when none does.
void SelectPresetItem(HWND tree, int32_t id);

// The selected item as the store sees it; a bank is named by its first preset.
PresetSelection TreeSelection(HWND tree);

// Makes the right button select the item under the pointer before the dialog shows its
// context menu (kTreeContextMenuMessage). Undone when the tree is destroyed.
void SubclassPresetTree(HWND tree);
