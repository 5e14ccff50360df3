#pragma once
// What the preset tests share: scripted message boxes, a scratch folder, preset file texts, a
// store; for the menus and dialogs a stand-in editor and steps run while they are open.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Controls.h"
#include "MessageSink.h"
#include "PresetStore.h"

// Answers message boxes from a script (IDOK once it runs out) and records them.
class ScriptedMessages : public MessageSink {
public:
    struct Shown {
        HWND owner;
        std::string text;
        UINT flags;
    };

    int Show(HWND owner, const char* text, const char* caption, UINT flags) override;
    // Expects exactly these texts shown since the last call, each with `flags` and `owner`,
    // and forgets them.
    void Expect(const std::vector<std::string>& texts, UINT flags, HWND owner = nullptr);

    std::deque<int> answers;
    std::vector<Shown> shown;
};

// A fresh folder for one test inside the build tree, removed with its files afterwards.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    std::string Path(const char* fileName) const { return folder_ + "\\" + fileName; }

private:
    std::string folder_;
};

// The build tree is a Unix path; Wine sees the Unix root as drive Z:.
std::string WindowsPath(std::string unixPath);

std::string ReadBytes(const std::string& path);  // "" for a missing file
void WriteBytes(const std::string& path, const std::string& bytes);

// The class keys of the filter and of the sibling plug-in build.
std::string OwnClassKey();
std::string PluginClassKey();

// "[Plug-in]" header of a file of the given class, lines ending in CR LF.
std::string HeaderFor(const std::string& classKey);
// One preset section as the store writes it.
std::string SectionText(int number, const char* version, const char* name, const char* bank,
                        const char* data);

// Appends a new preset with the store's next id; returns it.
Preset* AddPreset(PresetStore& store, const char* name, const char* bank,
                  const char* data = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0");

// "name|bank" of every active preset, in list order.
std::vector<std::string> NamesAndBanks(const PresetStore& store);
// "name|bank|version|id|data" of every active preset, in list order.
std::vector<std::string> Records(const PresetStore& store);

// A store without a module or editor whose messages are scripted, and a scratch folder.
class PresetTest : public ::testing::Test {
protected:
    TempFolder folder;
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};

// What the stand-in editor hands over for MSG_GET_PRESET_DATA.
constexpr char kEditorSettings[] = "-30,90,55,12,70,80,11,400,24,35,-20,-40,-100,120,0,0,1,0";

// Steps run in order by a timer of this thread, which ticks inside the modal loops of menus
// and dialogs. A step returns true when done, false to be tried again at the next tick; one
// still undone after a few seconds fails the test and closes every menu and dialog.
class UiScript {
public:
    UiScript();
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    UiScript& Step(std::string what, std::function<bool()> step);
    UiScript& Do(std::string what, std::function<void()> act);  // done at its first try
    // Waits for a dialog of this thread with that caption, then acts on it.
    UiScript& OnDialog(std::string caption, std::function<void(HWND)> act);
    // In the open menu, goes to the item with that text and chooses it; then the same for
    // each next text in the submenu that opens.
    UiScript& Choose(std::vector<std::string> path);
    // Describes the topmost open menu into `into`: "text=id" items joined by " | ", a
    // checked radio item starting with "*", a greyed one with "~", a separator as "-", a
    // submenu as "title[ items ]".
    UiScript& LookAtMenu(std::string& into);
    // Closes the open menus without a choice (after LookAtMenu found one open).
    UiScript& Dismiss() { return Do("dismiss the menu", [] { EndMenu(); }); }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<std::pair<std::string, std::function<bool()>>> steps_;
    size_t next_ = 0;
    DWORD waitingSince_ = 0;
    UINT_PTR timer_ = 0;
};

// Presses a dialog button as a click does; it must be enabled.
void Click(HWND dialog, int id);

// A store of the test module over the stand-in editor (which answers MSG_GET_PRESET_DATA
// with kEditorSettings), its preset file in a fresh folder, its messages scripted. Tree
// items are named by their texts below the root: {} is the root, {"Halls", "Big"} a preset.
class PresetUiTest : public ::testing::Test {
protected:
    using TreePath = std::vector<std::string>;

    PresetUiTest();
    std::string FilePath() const { return folder.Path("qvRuvodaR3.ini"); }
    // Waits for the Preset Manager and keeps its window in `manager`.
    UiScript& AwaitManager(UiScript& script);
    HTREEITEM Item(const TreePath& path) const;
    // The Manager's tree as "text{ children }" items joined by " ", the selected item in
    // <angle brackets>, a closed item that has children marked "+".
    std::string Tree() const;
    void Select(const TreePath& path) const;
    // A right click on an item, as posted messages that the dialog's loop delivers.
    void RightClick(const TreePath& path) const;
    // The editor's Presets button; returns the data text applied ("" for none) and its version.
    std::string PressPresetsButton(int* version = nullptr);

    TempFolder folder;
    ScriptedMessages messages;
    TestParent editor;
    PresetStore store;
    HWND manager = nullptr;
};
