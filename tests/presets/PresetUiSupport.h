#pragma once
// Driving the presets menu and dialogs as a user does: a stand-in for the editor window, a
// script of steps that a timer runs while menus and dialogs are open, and helpers that
// find those windows and work their controls.
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Controls.h"
#include "PresetTestSupport.h"

// What the stand-in editor hands over for MSG_GET_PRESET_DATA.
constexpr char kEditorSettings[] = "-30,90,55,12,70,80,11,400,24,35,-20,-40,-100,120,0,0,1,0";

// Steps run in order by a timer of this thread, which ticks inside the modal loops of
// menus and dialogs. A step returns true when done and false to be tried again at the
// next tick. A step still undone after a few seconds fails the test and closes every open
// menu and dialog, so that the test ends.
class UiScript {
public:
    UiScript();
    ~UiScript();
    UiScript(const UiScript&) = delete;
    UiScript& operator=(const UiScript&) = delete;

    UiScript& Step(std::string what, std::function<bool()> step);
    // A step done at its first try.
    UiScript& Do(std::string what, std::function<void()> act);
    // Waits for a dialog of this thread with that caption, then acts on it.
    UiScript& OnDialog(std::string caption, std::function<void(HWND)> act);
    // In the open menu, goes to the item with that text and chooses it; then the same for
    // each next text in the submenu that opens.
    UiScript& Choose(std::vector<std::string> path);
    // Describes the topmost open menu into `into` (see DescribeMenu).
    UiScript& LookAtMenu(std::string& into);
    // Closes the open menus without a choice (after LookAtMenu found one open).
    UiScript& Dismiss();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);

    std::vector<std::pair<std::string, std::function<bool()>>> steps_;
    size_t next_ = 0;
    DWORD waitingSince_ = 0;
    bool running_ = false;
    UINT_PTR timer_ = 0;
};

// "text=id" items joined by " | "; a checked radio item starts with "*", a greyed one with
// "~", a separator is "-", a submenu "title[ items ]".
std::string DescribeMenu(HMENU menu);

// Presses a dialog button as a click does; it must be enabled.
void Click(HWND dialog, int id);

// A preset's fields and identity, to compare a store before and after.
std::vector<std::string> Snapshot(const PresetStore& store);

// A store of the test module over the stand-in editor, its preset file in a fresh folder
// and its messages answered from a script. The editor answers MSG_GET_PRESET_DATA with
// kEditorSettings. Tree items are named by their texts below the root: {} is the root,
// {"Halls", "Big"} a preset in a bank.
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
    // The editor's Presets button: the menu shown beside the editor. Returns the data text
    // the editor applies ("" for none) and its version.
    std::string PressPresetsButton(int* version = nullptr);

    TempFolder folder;
    ScriptedMessages messages;
    TestParent editor;
    PresetStore store;
    HWND manager = nullptr;
};
