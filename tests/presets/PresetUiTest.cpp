// The Presets menu as the editor shows it, the editor's context menu, and the Preset Manager
// driven through its tree, buttons, context menu and name dialogs.
#include "PresetResources.h"
#include "PresetTestSupport.h"
#include "PresetTree.h"
#include "PresetsMenu.h"

namespace {

using PresetsMenuUi = PresetUiTest;

// The chosen preset becomes the current one, which Update then asks to overwrite with the
// editor's settings: No keeps it, Yes takes them and writes the file.
TEST_F(PresetsMenuUi, BanksDifferingInCaseAreTwoSubmenusAndTheChoiceIsAppliedThenUpdated) {
    AddPreset(store, "Loose", "", "1");
    Preset* big = AddPreset(store, "Big", "hall", "2");
    AddPreset(store, "Alpha", "Hall", "3");
    big->version = 1;
    AddPreset(store, "Cold", "Hall", "4");
    store.Sort();

    std::string first, second;
    UiScript script;
    script.LookAtMenu(first).Choose({"hall", "Big"});
    int version = 0;
    EXPECT_EQ(PressPresetsButton(&version), "2");
    EXPECT_EQ(version, 1);
    EXPECT_EQ(store.CurrentId(), big->id);
    // Sorted, the banks interleave: Alpha (Hall), Big (hall), Cold (Hall).
    EXPECT_EQ(first,
              "Add Preset...=10501 | Preset Manager...=10500 | - | Hall[ Alpha=3503 | "
              "Cold=3504 ] | hall[ Big=3502 ] | Loose=3501");

    for (const bool yes : {false, true}) {
        messages.answers = {yes ? IDYES : IDNO};
        script.LookAtMenu(second).Choose({"Update Preset: Big..."});
        EXPECT_EQ(PressPresetsButton(), "") << "nothing is applied";
        EXPECT_STREQ(big->data, yes ? kEditorSettings : "2");
        EXPECT_EQ(big->version, yes ? 3 : 1);
        EXPECT_EQ(ReadBytes(FilePath()).find(kEditorSettings) != std::string::npos, yes) << "written";
        messages.Expect({"Would you like to update the stored parameters for\n"
                         "the \"Big\" preset with the current settings?"},
                        MB_ICONQUESTION | MB_YESNO, editor.Window());
    }
    EXPECT_EQ(second,
              "Add Preset...=10501 | Update Preset: Big...=1503 | Preset Manager...=10500 | - | "
              "Hall[ Alpha=3503 | Cold=3504 ] | hall[ *Big=3502 ] | Loose=3501");
}

TEST_F(PresetsMenuUi, TheEditorsContextMenuOpensTheMakersHomePage) {
    static std::vector<std::string> opened;
    opened.clear();
    std::string menu;
    UiScript script;
    script.LookAtMenu(menu).Choose({"Go to Quillorn home page..."});
    EXPECT_EQ(EditorContextMenu(editor.Window(), {300, 500}, [](HWND owner, const char* address) {
                  EXPECT_NE(owner, nullptr);
                  opened.push_back(address);
              }),
              0);
    EXPECT_EQ(menu, "Go to Quillorn home page...=1001");
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.quillorn.com/"}));
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
    UiScript script;
    AwaitManager(script).Do("look", [&] {
        // The bank item takes the name of the first preset filed there; the current preset
        // is selected when the Manager opens.
        EXPECT_EQ(Tree(), "Available qv:Reverb presets{ Hall{ Alpha <Big> } Loose }");
        for (const auto& c : {std::make_pair(TreePath{}, "10011111"),
                              std::make_pair(TreePath{"Hall"}, "10111111"),
                              std::make_pair(TreePath{"Loose"}, "11111111")}) {
            Select(c.first);
            EXPECT_EQ(EnabledButtons(), c.second) << (c.first.empty() ? "root" : c.first.back());
        }
        // A bank and a preset show their own pictures (the root the product's).
        std::vector<int> images;
        for (const TreePath& path : {TreePath{"Hall"}, TreePath{"Loose"}}) {
            TVITEMA item = {};
            item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE;
            item.hItem = Item(path);
            TreeView_GetItem(store.TreeWindow(), &item);
            images.insert(images.end(), {item.iImage, item.iSelectedImage});
        }
        EXPECT_EQ(images,
                  (std::vector<int>{kClosedBankImage, kOpenBankImage, kPresetImage, kPresetImage}));
        Click(manager, kManagerCancel);
    });
    ShowPresetManager(store);
}

TEST_F(PresetManagerUi, DeletingAsksAndRebuildsTheTreeOnlyWhenTheItemHadNoNextSibling) {
    AddFourPresets();
    const std::vector<std::string> before = Records(store);
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
            EXPECT_EQ(Tree(), c.tree);
            EXPECT_EQ(store.IsModified(), c.answer == IDYES);
            Click(manager, kManagerCancel);
        });
        ShowPresetManager(store);
        messages.Expect({c.question}, MB_ICONQUESTION | MB_YESNO, manager);
        EXPECT_EQ(Records(store), before) << "Cancel brings back the list record for record";
    }
}

TEST_F(PresetManagerUi, TheContextMenuOffersTheOtherBanksAndCancelUndoesTheMove) {
    AddFourPresets();
    const std::vector<std::string> before = Records(store);
    std::string ofBanked, ofLoose, ofRoot;
    UiScript script;
    AwaitManager(script).Do("right-click a loose preset", [&] { RightClick({"Loose"}); });
    script.LookAtMenu(ofLoose).Dismiss();
    script.Do("right-click the root", [&] { RightClick({}); });
    script.LookAtMenu(ofRoot).Dismiss();
    script.Do("right-click a banked preset", [&] { RightClick({"Halls", "Small"}); });
    script.LookAtMenu(ofBanked).Choose({"Move Preset", "Rooms"});
    script.Do("look", [&] {
        EXPECT_EQ(Tree(), "Available qv:Reverb presets{ +Halls{ Big } Rooms{ Booth <Small> } Loose }");
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
    EXPECT_EQ(Records(store), before);
}

TEST_F(PresetManagerUi, TheSaveQuestionsAnswersSaveDiscardOrStay) {
    AddFourPresets();
    const std::vector<std::string> all = Records(store), withoutBig(all.begin() + 1, all.end());
    // Yes keeps the deletion of "Big", so it comes last.
    for (const int answer : {IDNO, IDCANCEL, IDYES}) {
        SCOPED_TRACE(answer);
        messages.answers = {IDYES, answer};
        messages.shown.clear();
        UiScript script;
        AwaitManager(script).Do("delete and close", [&] {
            Select({"Halls", "Big"});
            Click(manager, kManagerDelete);
            PostMessageA(manager, WM_COMMAND, IDCANCEL, 0);  // the close box
        });
        if (answer == IDCANCEL) {
            script.Do("still open", [&] {
                EXPECT_TRUE(IsWindowVisible(manager));
                Click(manager, kManagerCancel);
            });
        }
        EXPECT_EQ(ShowPresetManager(store), 0);
        ASSERT_EQ(messages.shown.size(), 2u);
        messages.shown.erase(messages.shown.begin());  // the deletion's question
        messages.Expect({"Save changes before exiting the Preset Manager?"},
                        MB_ICONQUESTION | MB_YESNOCANCEL, manager);
        EXPECT_EQ(Records(store), answer == IDYES ? withoutBig : all);
        EXPECT_EQ(ReadBytes(FilePath()).find("Name=Small") != std::string::npos, answer == IDYES);
    }
}

TEST_F(PresetManagerUi, EmptyNamesAreRefusedWithAMessageAndTheDialogStaysOpen) {
    AddPreset(store, "Big", "Halls");
    const std::vector<std::string> before = NamesAndBanks(store);
    struct Case {
        int button;  // 0: the context menu's "to New Bank..."
        const char* caption;
        int field;
        const char* message;
    };
    const Case cases[] = {
        {kManagerAdd, "Add qv:Reverb preset", kNameField,
         "Unable to add preset because no name was specified."},
        {kManagerRename, "Rename qv:Reverb preset", kNameField,
         "Unable to rename preset because you did not specify any name."},
        {0, "Move preset \"Big\" to new bank", kBankField,
         "Unable to move preset to new bank because no bank name was specified."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        HWND dialog = nullptr;
        UiScript script;
        AwaitManager(script).Do("open", [&] {
            Select({"Halls", "Big"});
            if (c.button != 0) {
                Click(manager, c.button);
            } else {
                RightClick({"Halls", "Big"});
            }
        });
        if (c.button == 0) script.Choose({"Move Preset", "to New Bank..."});
        script.OnDialog(c.caption, [&](HWND found) {
            dialog = found;
            SetDlgItemTextA(dialog, c.field, "");
            Click(dialog, IDOK);
        });
        script.Do("still open", [&] {
            EXPECT_TRUE(IsWindowVisible(dialog));
            Click(dialog, IDCANCEL);
            Click(manager, kManagerCancel);  // handled once the dialog has closed
        });
        ShowPresetManager(store);
        messages.Expect({c.message}, MB_ICONSTOP | MB_OK, dialog);
        EXPECT_EQ(NamesAndBanks(store), before);
    }
}

}  // namespace
