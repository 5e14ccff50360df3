// The Preset Manager driven through its tree, buttons and context menu.
#include <string>
#include <vector>

#include "PresetResources.h"
#include "PresetUiSupport.h"
#include "PresetsMenu.h"

namespace {

const char* const kRoot = kRootText;
const std::vector<int> kButtons = {kManagerAdd,    kManagerUpdate, kManagerRename, kManagerDelete,
                                   kManagerImport, kManagerExport, IDOK,           kManagerCancel};

std::string EnabledButtons(HWND manager) {
    std::string states;
    for (int id : kButtons) states += IsWindowEnabled(GetDlgItem(manager, id)) ? "1" : "0";
    return states;
}

class PresetManagerUi : public PresetUiTest {
protected:
    // Halls holds two presets, Rooms one; one preset has no bank.
    void AddFourPresets() {
        AddPreset(store, "Big", "Halls", "1");
        AddPreset(store, "Small", "Halls", "2");
        AddPreset(store, "Booth", "Rooms", "3");
        AddPreset(store, "Loose", "", "4");
    }
    // Records the open Manager in `manager`.
    UiScript& Open(UiScript& script) {
        return script.OnDialog(kManagerCaption, [this](HWND dialog) { manager = dialog; });
    }

    HWND manager = nullptr;
};

TEST_F(PresetManagerUi, BanksJoinRegardlessOfCaseAndTheButtonsFollowTheSelection) {
    AddPreset(store, "Big", "hall", "1");
    AddPreset(store, "Alpha", "Hall", "2");
    AddPreset(store, "Loose", "", "3");
    store.SetCurrentId(3501);
    struct Case {
        std::vector<std::string> path;
        const char* buttons;
    };
    const std::vector<Case> cases = {
        {{kRoot}, "10011111"}, {{kRoot, "Hall"}, "10111111"}, {{kRoot, "Loose"}, "11111111"}};
    UiScript script;
    std::string tree;
    Open(script);
    script.Do("look", [&] {
        tree = DescribeTree(ManagerTree(manager));
        for (const Case& c : cases) {
            SelectTreeItem(ManagerTree(manager), c.path);
            EXPECT_EQ(EnabledButtons(manager), c.buttons) << c.path.back();
        }
        Click(manager, kManagerCancel);
    });
    ShowPresetManager(store);
    // The bank item takes the name of the first preset filed there; the current preset is
    // selected when the Manager opens.
    EXPECT_EQ(tree, std::string(kRoot) + "{ Hall{ Alpha <Big> } Loose }");
}

TEST_F(PresetManagerUi, DeletingAsksAndRebuildsTheTreeOnlyWhenTheItemHadNoNextSibling) {
    AddFourPresets();
    const std::vector<std::string> before = Snapshot(store);
    struct Case {
        std::vector<std::string> path;
        int answer;
        const char* question;
        const char* tree;
        bool hallsStayOpen;  // a rebuilt tree shows the banks closed
        bool byKey = false;  // the Delete key instead of the button
    };
    const std::vector<Case> cases = {
        {{kRoot}, IDYES, "Are you sure you want to delete ALL the qv:Reverb banks and presets?",
         "<Available qv:Reverb presets>", false},
        {{kRoot, "Halls"}, IDYES,
         "Do you want to delete the qv:Reverb preset bank \"Halls\"?\n"
         "All presets contained in this bank will be lost.",
         "<Available qv:Reverb presets>{ Rooms{ Booth } Loose }", false},
        {{kRoot, "Halls", "Big"}, IDYES, "Do you want to delete the qv:Reverb preset \"Big\"?",
         "Available qv:Reverb presets{ Halls{ <Small> } Rooms{ Booth } Loose }", true, true},
        {{kRoot, "Rooms", "Booth"}, IDYES, "Do you want to delete the qv:Reverb preset \"Booth\"?",
         "<Available qv:Reverb presets>{ Halls{ Big Small } Loose }", false},
        {{kRoot, "Halls", "Small"}, IDNO, "Do you want to delete the qv:Reverb preset \"Small\"?",
         "Available qv:Reverb presets{ Halls{ Big <Small> } Rooms{ Booth } Loose }", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path.back());
        messages.answers = {c.answer};
        messages.shown.clear();
        std::string tree;
        bool hallsOpen = false, modified = false;
        UiScript script;
        Open(script);
        script.Do("delete", [&] {
            HWND tree = ManagerTree(manager);
            TreeView_Expand(tree, FindTreeItem(tree, {kRoot, "Halls"}), TVE_EXPAND);
            SelectTreeItem(tree, c.path);
            if (c.byKey) {
                SetFocus(tree);
                PostMessageA(tree, WM_KEYDOWN, VK_DELETE, 1);
            } else {
                Click(manager, kManagerDelete);
            }
        });
        script.Do("look", [&] {
            HTREEITEM halls = FindTreeItem(ManagerTree(manager), {kRoot, "Halls"});
            hallsOpen =
                halls != nullptr &&
                (TreeView_GetItemState(ManagerTree(manager), halls, TVIS_EXPANDED) & TVIS_EXPANDED);
            tree = DescribeTree(ManagerTree(manager));
            modified = store.IsModified();
            Click(manager, kManagerCancel);
        });
        ShowPresetManager(store);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, c.question);
        EXPECT_EQ(messages.shown[0].flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
        EXPECT_EQ(messages.shown[0].owner, manager);
        EXPECT_EQ(tree, c.tree);
        EXPECT_EQ(hallsOpen, c.hallsStayOpen);
        EXPECT_EQ(modified, c.answer == IDYES);
        EXPECT_EQ(Snapshot(store), before) << "Cancel brings back the list as it was";
    }
}

TEST_F(PresetManagerUi, TheContextMenuOffersTheOtherBanksAndCancelUndoesTheMove) {
    AddFourPresets();
    const std::vector<std::string> before = Snapshot(store);
    std::string ofBanked, ofLoose, ofRoot, tree;
    UiScript script;
    Open(script);
    script.Do("right-click a loose preset", [&] {
        RightClickTreeItem(ManagerTree(manager), {kRoot, "Loose"});
    });
    script.LookAtMenu(ofLoose).Dismiss();
    script.Do("right-click the root", [&] { RightClickTreeItem(ManagerTree(manager), {kRoot}); });
    script.LookAtMenu(ofRoot).Dismiss();
    script.Do("right-click a banked preset", [&] {
        RightClickTreeItem(ManagerTree(manager), {kRoot, "Halls", "Small"});
    });
    script.LookAtMenu(ofBanked).Choose({"Move Preset", "Rooms"});
    script.Do("look", [&] {
        tree = DescribeTree(ManagerTree(manager));
        EXPECT_TRUE(store.IsModified());
        Click(manager, kManagerCancel);
    });
    ShowPresetManager(store);
    EXPECT_EQ(ofLoose,
              "Add...=1501 | Update...=1503 | Rename...=1502 | Delete=1504 | - | Move Preset[ to "
              "New Bank...=5001 | - | Halls=3501 | Rooms=3503 ]");
    EXPECT_EQ(ofRoot, "Add...=1501 | ~Update...=1503 | ~Rename...=1502 | Delete=1504");
    EXPECT_EQ(ofBanked,
              "Add...=1501 | Update...=1503 | Rename...=1502 | Delete=1504 | - | Move Preset[ to "
              "Root=5000 | to New Bank...=5001 | - | Rooms=3503 ]");
    EXPECT_EQ(tree, std::string(kRoot) + "{ Halls{ Big } Rooms{ Booth <Small> } Loose }");
    EXPECT_EQ(Snapshot(store), before);
}

TEST_F(PresetManagerUi, TheSaveQuestionsAnswersSaveDiscardOrStay) {
    struct Case {
        int answer;
        std::vector<std::string> names;
        bool written;
    };
    // Yes keeps the deletion, so it comes last.
    const std::vector<Case> cases = {
        {IDNO, {"Big|Halls", "Small|Halls", "Booth|Rooms", "Loose|"}, false},
        {IDCANCEL, {"Big|Halls", "Small|Halls", "Booth|Rooms", "Loose|"}, false},
        {IDYES, {"Small|Halls", "Booth|Rooms", "Loose|"}, true},
    };
    AddFourPresets();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        DeleteFileA(FilePath().c_str());
        messages.answers = {IDYES, c.answer};
        messages.shown.clear();
        bool stayed = false;
        UiScript script;
        Open(script);
        script.Do("delete and close", [&] {
            SelectTreeItem(ManagerTree(manager), {kRoot, "Halls", "Big"});
            Click(manager, kManagerDelete);
            PostMessageA(manager, WM_COMMAND, IDCANCEL, 0);  // the close box
        });
        if (c.answer == IDCANCEL) {
            script.Do("still open", [&] {
                stayed = IsWindow(manager);
                Click(manager, kManagerCancel);
            });
        }
        EXPECT_EQ(ShowPresetManager(store), 0);
        ASSERT_EQ(messages.shown.size(), 2u);
        EXPECT_EQ(messages.shown[1].text, "Save changes before exiting the Preset Manager?");
        EXPECT_EQ(messages.shown[1].flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNOCANCEL));
        EXPECT_EQ(NamesAndBanks(store), c.names);
        EXPECT_EQ(FileExists(FilePath()), c.written);
        EXPECT_EQ(stayed, c.answer == IDCANCEL);
    }
}

}  // namespace
