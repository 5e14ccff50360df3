#include "PresetManagerDialog.h"

#include <string>

#include "AddPresetDialog.h"
#include "EditorSettings.h"
#include "ManagerContextMenu.h"
#include "PresetResources.h"
#include "PresetTree.h"
#include "RenameDialog.h"
#include "StoreText.h"
#include "WindowUtils.h"

int PresetManagerDialog::Run() {
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    const INT_PTR result =
        ModalDialog::Run(store_.ModuleInstance(), kPresetManagerDialogId, store_.EditorWindow());
    return result > 0 ? static_cast<int>(result) : 0;
}

bool PresetManagerDialog::OnInit() {
    tree_ = Item(kManagerTree);
    store_.SetManagerWindow(Window());
    store_.SetTreeWindow(tree_);
    if (!store_.MakeBackup()) {
        store_.ShowMessage(Window(),
                           "Failed to create backup preset list, changes can not be cancelled!",
                           MB_ICONSTOP | MB_OK);
    }
    SetWindowTextA(Window(), FormatText("%s Preset Manager", store_.PluginName()).c_str());
    CenterWindowOnParent(Window());
    SubclassPresetTree(tree_);
    CreateImages();
    RebuildPresetTree(store_);
    if (store_.CurrentId() != -1) SelectPresetItem(tree_, store_.CurrentId());
    UpdateButtons();
    SetFocus(tree_);
    return false;
}

void PresetManagerDialog::CreateImages() {
    const int width = GetSystemMetrics(SM_CXSMICON);
    const int height = GetSystemMetrics(SM_CYSMICON);
    HINSTANCE module = store_.ModuleInstance();
    // The product icon also serves as the dialog's small icon; shared icons need no freeing.
    SendMessageA(Window(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadImageA(module, MAKEINTRESOURCEA(kProductIconId),
                                                     IMAGE_ICON, width, height, LR_SHARED)));
    images_ = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 0);
    // In the order of PresetTreeImage.
    for (int id : {kProductIconId, kPresetIconId, kClosedBankIconId, kOpenBankIconId}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(module, MAKEINTRESOURCEA(id), IMAGE_ICON, width, height, LR_SHARED));
        ImageList_AddIcon(images_, icon);
    }
    TreeView_SetImageList(tree_, images_, TVSIL_NORMAL);
}

void PresetManagerDialog::OnDestroy() {
    ImageList_Destroy(images_);
    images_ = nullptr;
    store_.SetTreeWindow(nullptr);
    store_.SetManagerWindow(nullptr);
}

void PresetManagerDialog::UpdateButtons() {
    const bool any = store_.HasPresets();
    const PresetSelection::Kind kind = TreeSelection(tree_).kind;
    const bool preset = kind == PresetSelection::kPreset;
    EnableDlgItemRedraw(Window(), kManagerUpdate, any && preset);
    EnableDlgItemRedraw(Window(), kManagerDelete, any);
    EnableDlgItemRedraw(Window(), kManagerRename,
                        any && (preset || kind == PresetSelection::kBank));
    EnableDlgItemRedraw(Window(), kManagerExport, any);
    // A button that just went grey cannot keep the keyboard.
    if (GetFocus() != nullptr && !IsWindowEnabled(GetFocus())) SetFocus(tree_);
}

Preset* PresetManagerDialog::SelectedPreset() const {
    const PresetSelection selection = TreeSelection(tree_);
    return selection.kind == PresetSelection::kPreset ? store_.FindById(selection.presetId)
                                                      : nullptr;
}

bool PresetManagerDialog::Ask(const std::string& question) const {
    return store_.ShowMessage(Window(), question.c_str(), MB_ICONQUESTION | MB_YESNO) == IDYES;
}

void PresetManagerDialog::OnCommand(int id) {
    switch (id) {
        case kManagerAdd:
            AddPresetDialog(store_).Run(Window());
            SetFocus(tree_);
            break;
        case kManagerRename:
            RenameDialog(store_).Run(Window());
            SetFocus(tree_);
            break;
        case kManagerUpdate: Update(); break;
        case kManagerDelete: Delete(); break;
        case kManagerImport: Import(); break;
        case kManagerExport: Export(); break;
        case IDOK: Save(0); break;
        case kManagerCancel: Discard(0); break;
        case IDCANCEL:
            if (store_.IsModified()) {
                CloseAsking(0);
            } else {
                Close(0);
            }
            break;
        default: break;
    }
}

void PresetManagerDialog::OnNotify(const NMHDR& header) {
    if (header.hwndFrom != tree_) return;
    switch (header.code) {
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW: UpdateButtons(); break;
        case NM_DBLCLK: ApplySelected(); break;
        case TVN_KEYDOWN:
            if (reinterpret_cast<const NMTVKEYDOWN&>(header).wVKey == VK_DELETE &&
                store_.HasPresets()) {
                PostMessageA(Window(), WM_COMMAND, kManagerDelete, 0);
            }
            break;
        default: break;
    }
}

bool PresetManagerDialog::OnMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message != kTreeContextMenuMessage) return false;
    POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    ClientToScreen(tree_, &point);
    ManagerContextMenu(store_, Window()).Show(point);
    return true;
}

void PresetManagerDialog::Update() {
    Preset* preset = SelectedPreset();
    if (preset != nullptr) AskAndUpdatePreset(store_, Window(), *preset);
}

void PresetManagerDialog::Delete() {
    HTREEITEM item = TreeView_GetSelection(tree_);
    const PresetSelection selection = TreeSelection(tree_);
    const Preset* chosen = store_.FindById(selection.presetId);
    if (selection.kind == PresetSelection::kAll) {
        if (Ask(FormatText("Are you sure you want to delete ALL the %s banks and presets?",
                           store_.PluginName()))) {
            for (int i = store_.Count() - 1; i >= 0; --i) store_.DeleteAt(i);
            store_.SetModified(true);
            RebuildPresetTree(store_);
        }
    } else if (chosen != nullptr && selection.kind == PresetSelection::kBank) {
        const std::string bank = chosen->bank;
        if (Ask(FormatText("Do you want to delete the %s preset bank \"%s\"?\nAll presets "
                           "contained in this bank will be lost.",
                           store_.PluginName(), bank.c_str()))) {
            for (int i = store_.Count() - 1; i >= 0; --i) {
                if (EqualFolded(store_.PresetAt(i)->bank, bank.c_str())) store_.DeleteAt(i);
            }
            store_.SetModified(true);
            RebuildPresetTree(store_);
        }
    } else if (chosen != nullptr && selection.kind == PresetSelection::kPreset) {
        if (Ask(FormatText("Do you want to delete the %s preset \"%s\"?", store_.PluginName(),
                           chosen->name))) {
            store_.DeleteAt(store_.IndexOfId(chosen->id));
            store_.SetModified(true);
            // The last item of a bank takes the bank with it, which needs a new tree.
            if (TreeView_GetNextSibling(tree_, item) != nullptr) {
                TreeView_DeleteItem(tree_, item);
            } else {
                RebuildPresetTree(store_);
            }
            SetFocus(tree_);
        }
    }
    UpdateButtons();
}

void PresetManagerDialog::Import() {
    std::string path;
    if (store_.ChoosePresetFile(false, "Import Preset(s)", path) && store_.Import(path.c_str())) {
        store_.SetModified(true);
        RebuildPresetTree(store_);
    }
}

void PresetManagerDialog::Export() {
    const PresetSelection selection = TreeSelection(tree_);
    const char* title = selection.kind == PresetSelection::kAll    ? "Export all presets"
                        : selection.kind == PresetSelection::kBank ? "Export preset bank"
                                                                   : "Export preset";
    std::string path = store_.SuggestedExportName(selection);
    if (selection.kind != PresetSelection::kNone && store_.ChoosePresetFile(true, title, path)) {
        store_.ExportSelection(selection, store_.ClassKey(), path.c_str());
    }
}

void PresetManagerDialog::Save(int result) {
    store_.WriteAll(store_.ClassKey(), store_.FilePath());
    Close(result);
}

void PresetManagerDialog::Discard(int result) {
    Close(result);
    store_.RestoreBackup();
}

void PresetManagerDialog::CloseAsking(int result) {
    switch (store_.ShowMessage(Window(), "Save changes before exiting the Preset Manager?",
                               MB_ICONQUESTION | MB_YESNOCANCEL)) {
        case IDYES: Save(result); break;
        case IDNO: Discard(result); break;
        default: break;
    }
}

void PresetManagerDialog::ApplySelected() {
    const Preset* preset = SelectedPreset();
    if (preset == nullptr || !store_.HasPresets()) return;
    if (store_.IsModified()) {
        CloseAsking(preset->id);
    } else {
        Close(preset->id);
    }
}
