#include "PresetTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "ClassKey.h"
#include "PresetTree.h"
#include "PresetsMenu.h"
#include "qvRuvodaR3.h"

int ScriptedMessages::Show(HWND owner, const char* text, const char* caption, UINT flags) {
    EXPECT_STREQ(caption, "qv:Reverb Preset Manager") << text;
    shown.push_back({owner, text, flags});
    if (answers.empty()) return IDOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void ScriptedMessages::Expect(const std::vector<std::string>& texts, UINT flags, HWND owner) {
    std::vector<std::string> seen;
    for (const Shown& message : shown) {
        seen.push_back(message.text);
        EXPECT_EQ(message.flags, flags) << message.text;
        EXPECT_EQ(message.owner, owner) << message.text;
    }
    EXPECT_EQ(seen, texts);
    shown.clear();
}

std::string WindowsPath(std::string unixPath) {
    std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
    return "Z:" + unixPath;
}

TempFolder::TempFolder() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = WindowsPath(PRESETS_TEST_DIR) + "\\" + test->test_suite_name() + "." + test->name();
    std::filesystem::create_directories(folder_);
}

TempFolder::~TempFolder() { std::filesystem::remove_all(folder_); }

std::string ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary);
    EXPECT_TRUE(file << bytes) << path;
}

std::string OwnClassKey() { return ClassKeyPath(CLSID_RuvodaR3); }
std::string PluginClassKey() { return ClassKeyPath(CLSID_RuvodaR3Plugin); }

std::string HeaderFor(const std::string& classKey) {
    return "[Plug-in]\r\nPluginName=qv:Reverb\r\nCLSID=" + classKey + "\r\n";
}

std::string SectionText(int number, const char* version, const char* name, const char* bank,
                        const char* data) {
    return "[Preset" + std::to_string(number) + "]\r\nVersion=" + version + "\r\nName=" + name +
           "\r\nBank=" + bank + "\r\nData=" + data + "\r\n";
}

Preset* AddPreset(PresetStore& store, const char* name, const char* bank, const char* data) {
    Preset* preset = NewPreset(kCurrentPresetVersion, name, bank, data, store.NextId());
    EXPECT_TRUE(store.Append(preset));
    return preset;
}

std::vector<std::string> NamesAndBanks(const PresetStore& store) {
    std::vector<std::string> result;
    for (int i = 0; i < store.Count(); ++i) {
        result.push_back(std::string(store.PresetAt(i)->name) + "|" + store.PresetAt(i)->bank);
    }
    return result;
}

std::vector<std::string> Records(const PresetStore& store) {
    std::vector<std::string> result;
    for (int i = 0; i < store.Count(); ++i) {
        const Preset* p = store.PresetAt(i);
        result.push_back(std::string(p->name) + "|" + p->bank + "|" + std::to_string(p->version) + "|" +
                         std::to_string(p->id) + "|" + p->data);
    }
    return result;
}

namespace {
constexpr DWORD kStepPatienceMs = 8000;
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU
UiScript* activeScript = nullptr;

// The visible top-level windows of this thread of a class, topmost first.
std::vector<HWND> ThreadWindows(const char* className) {
    std::vector<HWND> found;
    for (HWND window = FindWindowExA(nullptr, nullptr, className, nullptr); window != nullptr;
         window = FindWindowExA(nullptr, window, className, nullptr)) {
        const bool ours = GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId();
        if (ours && IsWindowVisible(window)) {
            found.push_back(window);
        }
    }
    return found;
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

std::string MenuItemText(HMENU menu, int position) {
    char text[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

std::string DescribeItems(HWND tree, HTREEITEM item) {
    std::string text;
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        if (!text.empty()) text += " ";
        const HTREEITEM child = TreeView_GetChild(tree, item);
        if (child != nullptr && !(TreeView_GetItemState(tree, item, TVIS_EXPANDED) & TVIS_EXPANDED)) {
            text += "+";
        }
        const std::string name = TreeItemText(tree, item);
        text += TreeView_GetSelection(tree) == item ? "<" + name + ">" : name;
        if (child != nullptr) text += "{ " + DescribeItems(tree, child) + " }";
    }
    return text;
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
        text += info.hSubMenu != nullptr ? "[ " + DescribeMenu(info.hSubMenu) + " ]"
                                         : "=" + std::to_string(info.wID);
    }
    return text;
}
}  // namespace

UiScript::UiScript() {
    activeScript = this;
    timer_ = SetTimer(nullptr, 0, 20, Tick);
}

UiScript::~UiScript() {
    KillTimer(nullptr, timer_);
    activeScript = nullptr;
    EXPECT_EQ(next_, steps_.size()) << "steps left undone from: " << steps_[next_].first;
}

UiScript& UiScript::Step(std::string what, std::function<bool()> step) {
    steps_.emplace_back(std::move(what), std::move(step));
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
        HWND dialog = FindWindowA("#32770", caption.c_str());
        if (dialog == nullptr || !IsWindowVisible(dialog)) return false;
        act(dialog);
        return true;
    });
}

UiScript& UiScript::Choose(std::vector<std::string> path) {
    for (const std::string& text : path) {
        Step("menu item " + text, [text] {
            for (HMENU menu : OpenMenus()) {
                for (int i = 0; i < GetMenuItemCount(menu); ++i) {
                    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
                    if ((state & MF_SEPARATOR) || MenuItemText(menu, i) != text) continue;
                    // One key per tick: the menu handles it before the next timer message.
                    const HWND menuWindow = ThreadWindows("#32768").front();
                    PostMessageA(menuWindow, WM_KEYDOWN, (state & MF_HILITE) ? VK_RETURN : VK_DOWN, 1);
                    return (state & MF_HILITE) != 0;
                }
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

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    UiScript* script = activeScript;
    if (script == nullptr || script->next_ == script->steps_.size()) return;
    if (script->waitingSince_ == 0) script->waitingSince_ = GetTickCount();
    if (script->steps_[script->next_].second()) {
        ++script->next_;
        script->waitingSince_ = 0;
    } else if (GetTickCount() - script->waitingSince_ > kStepPatienceMs) {
        ADD_FAILURE() << "gave up waiting for: " << script->steps_[script->next_].first;
        script->steps_.resize(script->next_);
        EndMenu();
        for (HWND dialog : ThreadWindows("#32770")) EndDialog(dialog, 0);
    }
}

void Click(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    EXPECT_TRUE(IsWindowEnabled(button)) << "button " << id;
    PostMessageA(button, BM_CLICK, 0, 0);
}

PresetUiTest::PresetUiTest()
    : store(GetModuleHandleA(nullptr), editor.Window(), "qv:Reverb", &messages) {
    editor.answer = [](UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
        if (message != MSG_GET_PRESET_DATA) return false;
        *reinterpret_cast<char**>(wParam) = CopyPresetData(kEditorSettings);
        result = 0;
        return true;
    };
    store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", FilePath().c_str());
}

UiScript& PresetUiTest::AwaitManager(UiScript& script) {
    return script.OnDialog("qv:Reverb Preset Manager", [this](HWND dialog) { manager = dialog; });
}

HTREEITEM PresetUiTest::Item(const TreePath& path) const {
    const HWND tree = store.TreeWindow();
    HTREEITEM item = TreeView_GetRoot(tree);
    for (const std::string& text : path) {
        if (item == nullptr) break;
        item = TreeView_GetChild(tree, item);
        while (item != nullptr && TreeItemText(tree, item) != text) {
            item = TreeView_GetNextSibling(tree, item);
        }
    }
    EXPECT_NE(item, nullptr) << (path.empty() ? "the root" : path.back());
    return item;
}

std::string PresetUiTest::Tree() const {
    return DescribeItems(store.TreeWindow(), TreeView_GetRoot(store.TreeWindow()));
}

void PresetUiTest::Select(const TreePath& path) const {
    TreeView_SelectItem(store.TreeWindow(), Item(path));
}

void PresetUiTest::RightClick(const TreePath& path) const {
    const HWND tree = store.TreeWindow();
    const HTREEITEM item = Item(path);
    TreeView_EnsureVisible(tree, item);
    RECT r = {};
    TreeView_GetItemRect(tree, item, &r, TRUE);
    const LPARAM centre = At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tree, WM_RBUTTONDOWN, MK_RBUTTON, centre);
    PostMessageA(tree, WM_RBUTTONUP, 0, centre);
}

std::string PresetUiTest::PressPresetsButton(int* version) {
    // A menu opened while the activation that follows a closed window is still arriving
    // would close at once: wait until the editor is the active window.
    SetForegroundWindow(editor.Window());
    for (const DWORD start = GetTickCount();
         GetActiveWindow() != editor.Window() && GetTickCount() - start < kStepPatienceMs;) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    PumpMessages();
    // The menu opens inside the editor, which stands at (100, 100).
    const char* data = RunPresetsMenu(store, [&](HMENU menu) {
        return TrackPopupMenu(menu, TPM_RETURNCMD, 120, 160, 0, editor.Window(), nullptr);
    }, version);
    return data != nullptr ? data : "";
}
