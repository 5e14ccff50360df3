#include "PresetUiSupport.h"

#include <gtest/gtest.h>

#include "PresetResources.h"
#include "PresetTree.h"
#include "PresetsMenu.h"

namespace {
constexpr DWORD kStepPatienceMs = 8000;
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU
UiScript* activeScript = nullptr;

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

struct WindowSearch {
    const char* className;
    std::vector<HWND> found;
};

// A named CALLBACK, not a lambda: in 32-bit builds a lambda converts only to a cdecl pointer.
BOOL CALLBACK CollectWindowOfClass(HWND window, LPARAM lParam) {
    auto* s = reinterpret_cast<WindowSearch*>(lParam);
    if (IsWindowVisible(window) && ClassOf(window) == s->className) {
        s->found.push_back(window);
    }
    return TRUE;
}

std::vector<HWND> ThreadWindows(const char* className) {
    WindowSearch search = {className, {}};
    EnumThreadWindows(GetCurrentThreadId(), CollectWindowOfClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string MenuItemText(HMENU menu, int position) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

int FindMenuItem(HMENU menu, const std::string& text) {
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (!(GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION) & MF_SEPARATOR) &&
            MenuItemText(menu, i) == text) {
            return i;
        }
    }
    return -1;
}

// A visible dialog of this thread with that caption, or null.
HWND FindDialog(const std::string& caption) {
    for (HWND dialog : ThreadWindows("#32770")) {
        char text[256] = {};
        GetWindowTextA(dialog, text, sizeof text);
        if (caption == text) return dialog;
    }
    return nullptr;
}

// The menus of this thread's open popup menu windows, topmost first.
std::vector<HMENU> OpenMenus() {
    std::vector<HMENU> menus;
    for (HWND window : ThreadWindows("#32768")) {
        if (HMENU menu = reinterpret_cast<HMENU>(SendMessageA(window, kGetMenuHandle, 0, 0))) {
            menus.push_back(menu);
        }
    }
    return menus;
}

void PostKey(UINT key) {
    std::vector<HWND> menus = ThreadWindows("#32768");
    if (!menus.empty()) PostMessageA(menus.front(), WM_KEYDOWN, key, 1);
}

POINT ItemCentre(HWND tree, const std::vector<std::string>& path) {
    HTREEITEM item = FindTreeItem(tree, path);
    EXPECT_NE(item, nullptr) << path.back();
    TreeView_EnsureVisible(tree, item);
    RECT r = {};
    TreeView_GetItemRect(tree, item, &r, TRUE);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace

UiScript::UiScript() {
    activeScript = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

UiScript::~UiScript() {
    KillTimer(nullptr, timer_);
    activeScript = nullptr;
    EXPECT_TRUE(Finished()) << "steps left undone from: " << steps_[next_].what;
}

UiScript& UiScript::Step(std::string what, std::function<bool()> step) {
    steps_.push_back({std::move(what), std::move(step)});
    return *this;
}

UiScript& UiScript::Do(std::string what, std::function<void()> act) {
    return Step(std::move(what), [act] {
        act();
        return true;
    });
}

UiScript& UiScript::OnDialog(std::string caption, std::function<void(HWND)> act) {
    return Step("dialog " + caption, [caption, act] {
        HWND dialog = FindDialog(caption);
        if (dialog == nullptr) return false;
        act(dialog);
        return true;
    });
}

UiScript& UiScript::Choose(std::vector<std::string> path) {
    for (const std::string& text : path) {
        Step("menu item " + text, [text] {
            for (HMENU menu : OpenMenus()) {
                const int target = FindMenuItem(menu, text);
                if (target < 0) continue;
                // One key per tick: the menu handles it before the next timer message.
                const bool there =
                    GetMenuState(menu, static_cast<UINT>(target), MF_BYPOSITION) & MF_HILITE;
                PostKey(there ? VK_RETURN : VK_DOWN);
                return there;
            }
            return false;
        });
    }
    return *this;
}

UiScript& UiScript::LookAtMenu(std::string& into) {
    return Step("look at the menu", [&into] {
        const std::vector<HMENU> menus = OpenMenus();
        if (menus.empty()) return false;
        into = DescribeMenu(menus.front());
        return true;
    });
}

UiScript& UiScript::Dismiss() {
    return Step("dismiss the menu", [] {
        if (OpenMenus().empty()) return false;
        EndMenu();
        return true;
    });
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (activeScript != nullptr && !activeScript->running_) activeScript->RunNext();
}

void UiScript::RunNext() {
    if (Finished()) return;
    running_ = true;
    if (waitingSince_ == 0) waitingSince_ = GetTickCount();
    // A copy: a step may add steps, which can move the list.
    const std::function<bool()> step = steps_[next_].step;
    if (step()) {
        ++next_;
        waitingSince_ = 0;
    } else if (GetTickCount() - waitingSince_ > kStepPatienceMs) {
        Abandon();
    }
    running_ = false;
}

void UiScript::Abandon() {
    ADD_FAILURE() << "gave up waiting for: " << steps_[next_].what;
    steps_.resize(next_);
    EndMenu();
    for (HWND dialog : ThreadWindows("#32770")) EndDialog(dialog, 0);
}

std::string DescribeMenu(HMENU menu) {
    std::string text;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (i > 0) text += " | ";
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            text += "-";
            continue;
        }
        if ((info.fType & MFT_RADIOCHECK) && (info.fState & MFS_CHECKED)) text += "*";
        if (info.fState & MFS_GRAYED) text += "~";
        text += MenuItemText(menu, i);
        if (info.hSubMenu != nullptr) {
            text += "[ " + DescribeMenu(info.hSubMenu) + " ]";
        } else {
            text += "=" + std::to_string(info.wID);
        }
    }
    return text;
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    EXPECT_TRUE(IsWindowEnabled(button)) << "button " << id;
    PostMessageA(button, BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const std::string& text) {
    SetDlgItemTextA(dialog, id, text.c_str());
}

HWND ManagerTree(HWND manager) { return GetDlgItem(manager, kManagerTree); }

HTREEITEM FindTreeItem(HWND tree, const std::vector<std::string>& path) {
    HTREEITEM item = TreeView_GetRoot(tree);
    for (size_t level = 0; level < path.size(); ++level) {
        if (level > 0) item = TreeView_GetChild(tree, item);
        while (item != nullptr && TreeItemText(tree, item) != path[level]) {
            item = TreeView_GetNextSibling(tree, item);
        }
        if (item == nullptr) return nullptr;
    }
    return item;
}

namespace {
std::string DescribeItems(HWND tree, HTREEITEM item) {
    std::string text;
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        if (!text.empty()) text += " ";
        const bool selected = TreeView_GetSelection(tree) == item;
        text += selected ? "<" + TreeItemText(tree, item) + ">" : TreeItemText(tree, item);
        if (HTREEITEM child = TreeView_GetChild(tree, item)) {
            text += "{ " + DescribeItems(tree, child) + " }";
        }
    }
    return text;
}
}  // namespace

std::string DescribeTree(HWND tree) { return DescribeItems(tree, TreeView_GetRoot(tree)); }

void SelectTreeItem(HWND tree, const std::vector<std::string>& path) {
    HTREEITEM item = FindTreeItem(tree, path);
    EXPECT_NE(item, nullptr) << path.back();
    TreeView_SelectItem(tree, item);
}

void RightClickTreeItem(HWND tree, const std::vector<std::string>& path) {
    const POINT p = ItemCentre(tree, path);
    PostMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, At(p.x, p.y));
    PostMessageA(tree, WM_RBUTTONUP, 0, At(p.x, p.y));
}

namespace {
// Makes the window the foreground window and lets the focus changes that follow a closed
// dialog arrive: a menu opened before them would close at once.
void SettleFocus(HWND window) {
    SetForegroundWindow(window);
    for (int round = 0; round < 5; ++round) {
        Sleep(20);
        PumpMessages();
    }
}
}  // namespace

std::string PressPresetsButton(PresetStore& store, HWND editor, int* version) {
    SettleFocus(editor);
    RECT button;
    GetWindowRect(editor, &button);
    const char* data = RunPresetsMenu(store, [&](HMENU menu) {
        return TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RETURNCMD, button.left + 20, button.top + 60, 0, editor, nullptr);
    }, version);
    return data != nullptr ? data : "";
}

std::vector<std::string> Snapshot(const PresetStore& store) {
    std::vector<std::string> records;
    for (int i = 0; i < store.Count(); ++i) {
        const Preset* p = store.PresetAt(i);
        char identity[32];
        std::snprintf(identity, sizeof identity, "%p", static_cast<const void*>(p));
        records.push_back(std::string(identity) + " " + std::to_string(p->id) + " v" +
                          std::to_string(p->version) + " " + p->name + "|" + p->bank + "|" +
                          p->data);
    }
    return records;
}

PresetUiTest::PresetUiTest()
    : store(GetModuleHandleA(nullptr), editor.Window(), "qv:Reverb", &messages, &fileDialogs) {
    editor.answer = [this](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message != MSG_GET_PRESET_DATA) return false;
        *reinterpret_cast<char**>(wParam) = CopyPresetData(kEditorSettings);
        result = 0;
        return true;
    };
    store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", FilePath().c_str());
}
