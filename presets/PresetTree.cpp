#include "PresetTree.h"

#include "StoreText.h"

namespace {
constexpr char kOldProcedureProperty[] = "oldproc";

LPARAM ItemValue(HWND tree, HTREEITEM item) {
    TVITEMA info = {};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = item;
    return TreeView_GetItem(tree, &info) ? info.lParam : 0;
}

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, const char* text, LPARAM value,
                     int image, int selectedImage) {
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.lParam = value;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return TreeView_InsertItem(tree, &insert);
}

HTREEITEM FindBankItem(HWND tree, HTREEITEM root, const char* bank) {
    for (HTREEITEM item = TreeView_GetChild(tree, root); item != nullptr;
         item = TreeView_GetNextSibling(tree, item)) {
        if (ItemValue(tree, item) == kBankItemValue &&
            EqualFolded(TreeItemText(tree, item).c_str(), bank)) {
            return item;
        }
    }
    return nullptr;
}

LRESULT CALLBACK TreeProcedure(HWND tree, UINT message, WPARAM wParam, LPARAM lParam) {
    auto old = reinterpret_cast<WNDPROC>(GetPropA(tree, kOldProcedureProperty));
    if (message == WM_RBUTTONDOWN) {
        CallWindowProcA(old, tree, WM_LBUTTONDOWN, wParam, lParam);
        PostMessageA(GetParent(tree), kTreeContextMenuMessage, wParam, lParam);
        return 0;
    }
    if (message == WM_DESTROY) {
        SetWindowLongPtrA(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(old));
        RemovePropA(tree, kOldProcedureProperty);
    }
    return CallWindowProcA(old, tree, message, wParam, lParam);
}
}  // namespace

std::string TreeItemText(HWND tree, HTREEITEM item) {
    char text[256] = {};
    TVITEMA info = {};
    info.mask = TVIF_TEXT | TVIF_HANDLE;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &info);
    return text;
}

void RebuildPresetTree(PresetStore& store) {
    HWND tree = store.TreeWindow();
    if (tree == nullptr) return;
    TreeView_DeleteAllItems(tree);
    store.Sort();
    const std::string rootText = FormatText("Available %s presets", store.PluginName());
    HTREEITEM root = InsertItem(tree, TVI_ROOT, TVI_FIRST, rootText.c_str(), kRootItemValue,
                                kRootImage, kRootImage);
    for (int i = 0; i < store.Count(); ++i) {
        const Preset* preset = store.PresetAt(i);
        if (preset == nullptr) continue;
        HTREEITEM parent = root;
        HTREEITEM after = TVI_LAST;
        if (preset->bank[0] != '\0') {
            parent = FindBankItem(tree, root, preset->bank);
            if (parent == nullptr) {
                parent = InsertItem(tree, root, TVI_LAST, preset->bank, kBankItemValue,
                                    kClosedBankImage, kOpenBankImage);
            }
            after = TVI_SORT;
        }
        InsertItem(tree, parent, after, preset->name, preset->id, kPresetImage, kPresetImage);
    }
    TreeView_Expand(tree, root, TVE_EXPAND);
    TreeView_SelectItem(tree, root);
}

void SelectPresetItem(HWND tree, int32_t id) {
    HTREEITEM root = TreeView_GetRoot(tree);
    for (HTREEITEM item = TreeView_GetChild(tree, root); item != nullptr;
         item = TreeView_GetNextSibling(tree, item)) {
        if (ItemValue(tree, item) == kBankItemValue) {
            for (HTREEITEM child = TreeView_GetChild(tree, item); child != nullptr;
                 child = TreeView_GetNextSibling(tree, child)) {
                if (ItemValue(tree, child) == id) {
                    TreeView_SelectItem(tree, child);
                    return;
                }
            }
        } else if (ItemValue(tree, item) == id) {
            TreeView_SelectItem(tree, item);
            return;
        }
    }
}

PresetSelection TreeSelection(HWND tree) {
    HTREEITEM item = tree != nullptr ? TreeView_GetSelection(tree) : nullptr;
    if (item == nullptr) return PresetSelection::None();
    const LPARAM value = ItemValue(tree, item);
    if (value == kRootItemValue) return PresetSelection::All();
    if (value == kBankItemValue) {
        HTREEITEM first = TreeView_GetChild(tree, item);
        return first != nullptr
                   ? PresetSelection::Bank(static_cast<int32_t>(ItemValue(tree, first)))
                   : PresetSelection::None();
    }
    return PresetSelection::OnePreset(static_cast<int32_t>(value));
}

void SubclassPresetTree(HWND tree) {
    // The property is in place before the first message reaches the new procedure.
    SetPropA(tree, kOldProcedureProperty,
             reinterpret_cast<HANDLE>(GetWindowLongPtrA(tree, GWLP_WNDPROC)));
    SetWindowLongPtrA(tree, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TreeProcedure));
}
