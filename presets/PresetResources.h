#pragma once
// Resource and control identifiers of the presets menu and dialogs (resources/presets.rc).

// Dialog templates.
constexpr int kPresetManagerDialogId = 503;
constexpr int kAddPresetDialogId = 504;
constexpr int kRenameDialogId = 505;
constexpr int kNewBankDialogId = 506;

// The Preset Manager tree's context menu.
constexpr int kManagerMenuId = 511;

// Icons: the product (the tree's root and the Manager's small icon), a preset, a bank shown
// closed and a selected bank shown open.
constexpr int kProductIconId = 506;
constexpr int kPresetIconId = 231;
constexpr int kClosedBankIconId = 236;
constexpr int kOpenBankIconId = 235;

// Preset Manager controls; Add, Update, Rename and Delete double as the context menu's items.
constexpr int kManagerImport = 1500;
constexpr int kManagerAdd = 1501;
constexpr int kManagerRename = 1502;
constexpr int kManagerUpdate = 1503;
constexpr int kManagerDelete = 1504;
constexpr int kManagerTree = 1510;
constexpr int kManagerExport = 1512;
constexpr int kManagerCancel = 1514;  // IDCANCEL (Escape, close box) asks before discarding

// Name dialog fields.
constexpr int kNameField = 1511;
constexpr int kBankField = 1513;
