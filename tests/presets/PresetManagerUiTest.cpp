// The Preset Manager driven through its tree, buttons, context menu and name dialogs.
#include "PresetResources.h"
#include "PresetUiSupport.h"
#include "PresetsMenu.h"

namespace {

class PresetManagerUi : public PresetUiTest {
protected:
    // Halls holds two presets, Rooms one; one preset has no bank.
    void AddFourPresets() {
        AddPreset(store, "Big", "Halls", "1");
        AddPreset(store, "Small", "Halls", "2");
        AddPreset(store, "Booth", "Rooms", "3");
        AddPreset(store, "Loose", "", "4");
    }
    // Add, Update, Rename, Delete, Import, Export, OK and Cancel: "1" enabled, "0" greyed.
    std::string EnabledButtons() const {
        std::string states;
        for (int id : {kManagerAdd, kManagerUpdate, kManagerRename, kManagerDelete, kManagerImport,
                       kManagerExport, IDOK, kManagerCancel}) {
            states += IsWindowEnabled(GetDlgItem(manager, id)) ? "1" : "0";
        }
        return states;
    }
};

TEST_F(PresetManagerUi, BanksJoinRegardlessOfCaseAndTheButtonsFollowTheSelection) {
    AddPreset(store, "Big", "hall", "1");
    AddPreset(store, "Alpha", "Hall", "2");
    AddPreset(store, "Loose", "", "3");
    store.SetCurrentId(3501);
    std::string tree;
    UiScript script;
    AwaitManager(script).Do("look", [&] {
        tree = Tree();
        for (const auto& c : {std::make_pair(TreePath{}, "10011111"),
                              std::make_pair(TreePath{"Hall"}, "10111111"),
                              std::make_pair(TreePath{"Loose"}, "11111111")}) {
            Select(c.first);
            EXPECT_EQ(EnabledButtons(), c.second) << (c.first.empty() ? "root" : c.first.back());
        }
        Click(manager, kManagerCancel);
    });
    ShowPresetManager(store);
    // The bank item takes the name of the first preset filed there; the current preset is
    // selected when the Manager opens.
    EXPECT_EQ(tree, "Available qv:Reverb presets{ Hall{ Alpha <Big> } Loose }");
}

TEST_F(PresetManagerUi, DeletingAsksAndRebuildsTheTreeOnlyWhenTheItemHadNoNextSibling) {
    AddFourPresets();
    const std::vector<std::string> before = Snapshot(store);
    struct Case {
        TreePath path;
        int answer;
        const char* question;
        const char* tree;  // a rebuilt tree shows the banks closed
        bool byKey = false;  // the Delete key instead of the button
    };
    const std::vector<Case> cases = {
        {{}, IDYES, "Are you sure you want to delete ALL the qv:Reverb banks and presets?",
         "<Available qv:Reverb presets>", false},
        {{"Halls"}, IDYES,
         "Do you want to delete the qv:Reverb preset bank \"Halls\"?\n"
         "All presets contained in this bank will be lost.",
         "<Available qv:Reverb presets>{ +Rooms{ Booth } Loose }"},
        {{"Halls", "Big"}, IDYES, "Do you want to delete the qv:Reverb preset \"Big\"?",
         "Available qv:Reverb presets{ Halls{ <Small> } +Rooms{ Booth } Loose }", true},
        {{"Rooms", "Booth"}, IDYES, "Do you want to delete the qv:Reverb preset \"Booth\"?",
         "<Available qv:Reverb presets>{ +Halls{ Big Small } Loose }"},
        {{"Halls", "Small"}, IDNO, "Do you want to delete the qv:Reverb preset \"Small\"?",
         "Available qv:Reverb presets{ Halls{ Big <Small> } +Rooms{ Booth } Loose }"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.question);
        messages.answers = {c.answer};
        std::string tree;
        bool modified = false;
        UiScript script;
        AwaitManager(script).Do("delete", [&] {
            TreeView_Expand(store.TreeWindow(), Item({"Halls"}), TVE_EXPAND);
            Select(c.path);
            if (c.byKey) {
                SetFocus(store.TreeWindow());
                PostMessageA(store.TreeWindow(), WM_KEYDOWN, VK_DELETE, 1);
            } else {
                Click(manager, kManagerDelete);
            }
        });
        script.Do("look", [&] {
            tree = Tree();
            modified = store.IsModified();
            Click(manager, kManagerCancel);
        });
        ShowPresetManager(store);
        messages.Expect({c.question}, MB_ICONQUESTION | MB_YESNO, manager);
        EXPECT_EQ(tree, c.tree);
        EXPECT_EQ(modified, c.answer == IDYES);
        EXPECT_EQ(Snapshot(store), before) << "Cancel brings back the list record for record";
    }
}

TEST_F(PresetManagerUi, TheContextMenuOffersTheOtherBanksAndCancelUndoesTheMove) {
    AddFourPresets();
    const std::vector<std::string> before = Snapshot(store);
    std::string ofBanked, ofLoose, ofRoot, tree;
    UiScript script;
    AwaitManager(script).Do("right-click a loose preset", [&] { RightClick({"Loose"}); });
    script.LookAtMenu(ofLoose).Dismiss();
    script.Do("right-click the root", [&] { RightClick({}); });
    script.LookAtMenu(ofRoot).Dismiss();
    script.Do("right-click a banked preset", [&] { RightClick({"Halls", "Small"}); });
    script.LookAtMenu(ofBanked).Choose({"Move Preset", "Rooms"});
    script.Do("look", [&] {
        tree = Tree();
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
    EXPECT_EQ(tree, "Available qv:Reverb presets{ +Halls{ Big } Rooms{ Booth <Small> } Loose }");
    EXPECT_EQ(Snapshot(store), before);
}

TEST_F(PresetManagerUi, TheSaveQuestionsAnswersSaveDiscardOrStay) {
    struct Case {
        int answer;
        std::vector<std::string> names;
    };
    // Yes keeps the deletion, so it comes last.
    const std::vector<Case> cases = {
        {IDNO, {"Big|Halls", "Small|Halls", "Booth|Rooms", "Loose|"}},
        {IDCANCEL, {"Big|Halls", "Small|Halls", "Booth|Rooms", "Loose|"}},
        {IDYES, {"Small|Halls", "Booth|Rooms", "Loose|"}},
    };
    AddFourPresets();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer);
        messages.answers = {IDYES, c.answer};
        messages.shown.clear();
        bool stayed = false;
        UiScript script;
        AwaitManager(script).Do("delete and close", [&] {
            Select({"Halls", "Big"});
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
        EXPECT_EQ(ReadBytes(FilePath()).find("Name=Small") != std::string::npos, c.answer == IDYES);
        EXPECT_EQ(stayed, c.answer == IDCANCEL);
    }
}

TEST_F(PresetManagerUi, EmptyNamesAreRefusedWithAMessageAndTheDialogStaysOpen) {
    AddPreset(store, "Big", "Halls");
    const std::vector<std::string> before = NamesAndBanks(store);
    // Each case adds the steps that open its dialog from the Manager with "Big" selected.
    struct Case {
        std::function<void(UiScript&)> open;
        const char* caption;
        int field;
        const char* message;
    };
    auto clicking = [this](int id) {
        return [this, id](UiScript& script) { script.Do("click", [this, id] { Click(manager, id); }); };
    };
    const std::vector<Case> cases = {
        {clicking(kManagerAdd), "Add qv:Reverb preset", kNameField,
         "Unable to add preset because no name was specified."},
        {clicking(kManagerRename), "Rename qv:Reverb preset", kNameField,
         "Unable to rename preset because you did not specify any name."},
        {[this](UiScript& script) {
             script.Do("right-click", [this] { RightClick({"Halls", "Big"}); });
             script.Choose({"Move Preset", "to New Bank..."});
         },
         "Move preset \"Big\" to new bank", kBankField,
         "Unable to move preset to new bank because no bank name was specified."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        HWND dialog = nullptr;
        bool stayed = false;
        UiScript script;
        AwaitManager(script).Do("select", [&] { Select({"Halls", "Big"}); });
        c.open(script);
        script.OnDialog(c.caption, [&](HWND found) {
            dialog = found;
            SetDlgItemTextA(dialog, c.field, "");
            Click(dialog, IDOK);
        });
        script.Do("still open", [&] {
            stayed = IsWindowVisible(dialog);
            Click(dialog, IDCANCEL);
        });
        script.Step("close", [&] {
            if (IsWindow(dialog)) return false;
            Click(manager, kManagerCancel);
            return true;
        });
        ShowPresetManager(store);
        messages.Expect({c.message}, MB_ICONSTOP | MB_OK, dialog);
        EXPECT_TRUE(stayed);
        EXPECT_EQ(NamesAndBanks(store), before);
    }
}

}  // namespace
