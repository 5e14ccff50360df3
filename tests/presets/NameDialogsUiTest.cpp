// The three name dialogs: captions, fields, the bank list, the name limit and the
// messages for empty names.
#include <string>
#include <vector>

#include "PresetResources.h"
#include "PresetUiSupport.h"
#include "PresetsMenu.h"

namespace {

const char* const kRoot = kRootText;

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    for (int i = 0; i < SendMessageA(combo, CB_GETCOUNT, 0, 0); ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

class NameDialogsUi : public PresetUiTest {
protected:
    HWND manager = nullptr;
};

TEST_F(NameDialogsUi, AddOffersEachBankOnceAndKeepsTheFirst127Characters) {
    AddPreset(store, "a", "Rooms");
    AddPreset(store, "b", "halls");
    AddPreset(store, "c", "");
    AddPreset(store, "d", "ROOMS");
    AddPreset(store, "e", "Chambers");
    const std::string longName(200, 'n');
    std::vector<std::string> banks;
    bool nameFocused = false;
    UiScript script;
    script.OnDialog("Add qv:Reverb preset", [&](HWND dialog) {
        banks = ComboItems(GetDlgItem(dialog, kBankField));
        nameFocused = GetFocus() == GetDlgItem(dialog, kNameField);
        Type(dialog, kNameField, longName);
        Click(dialog, IDOK);
    });
    AddPresetFromMenu(store);
    EXPECT_EQ(banks, (std::vector<std::string>{"Chambers", "halls", "Rooms"}));
    EXPECT_TRUE(nameFocused);
    const Preset* added = store.FindById(store.CurrentId());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(added->name, longName.substr(0, 127));
    EXPECT_STREQ(added->bank, "");
    EXPECT_EQ(added->version, 3);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(NameDialogsUi, EmptyNamesAreRefusedWithAMessageAndTheDialogStaysOpen) {
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
        return [this, id](UiScript& script) {
            script.Do("click", [this, id] { Click(manager, id); });
        };
    };
    const std::vector<Case> cases = {
        {clicking(kManagerAdd), "Add qv:Reverb preset", kNameField,
         "Unable to add preset because no name was specified."},
        {clicking(kManagerRename), "Rename qv:Reverb preset", kNameField,
         "Unable to rename preset because you did not specify any name."},
        {[this](UiScript& script) {
             script.Do("right-click", [this] {
                 RightClickTreeItem(ManagerTree(manager), {kRoot, "Halls", "Big"});
             });
             script.Choose({"Move Preset", "to New Bank..."});
         },
         "Move preset \"Big\" to new bank", kBankField,
         "Unable to move preset to new bank because no bank name was specified."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        messages.shown.clear();
        HWND dialog = nullptr;
        bool stayed = false;
        UiScript script;
        script.OnDialog(kManagerCaption, [&](HWND found) {
            manager = found;
            SelectTreeItem(ManagerTree(manager), {kRoot, "Halls", "Big"});
        });
        c.open(script);
        script.OnDialog(c.caption, [&](HWND found) {
            dialog = found;
            Type(dialog, c.field, "");
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
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text, c.message);
        EXPECT_EQ(messages.shown[0].owner, dialog);
        EXPECT_EQ(messages.shown[0].flags, static_cast<UINT>(MB_ICONSTOP | MB_OK));
        EXPECT_EQ(messages.shown[0].caption, "qv:Reverb Preset Manager");
        EXPECT_TRUE(stayed);
        EXPECT_EQ(NamesAndBanks(store), before);
    }
}

TEST_F(NameDialogsUi, RenamingABankRenamesEachOfItsPresetsAndMayJoinAnother) {
    AddPreset(store, "Big", "Halls");
    AddPreset(store, "Small", "HALLS");
    AddPreset(store, "Booth", "Rooms");
    std::string bankField, presetField, afterBank, afterPreset;
    UiScript script;
    script.OnDialog(kManagerCaption, [&](HWND found) {
        manager = found;
        SelectTreeItem(ManagerTree(manager), {kRoot, "Halls"});
        Click(manager, kManagerRename);
    });
    // Notes what the field offers, then renames.
    auto renameTo = [](std::string& offered, const char* name) {
        return [&offered, name](HWND dialog) {
            offered = FieldText(dialog, kNameField);
            Type(dialog, kNameField, name);
            Click(dialog, IDOK);
        };
    };
    script.OnDialog("Rename qv:Reverb bank", renameTo(bankField, "rooms"));
    script.Do("rename a preset", [&] {
        afterBank = DescribeTree(ManagerTree(manager));
        SelectTreeItem(ManagerTree(manager), {kRoot, "rooms", "Small"});
        Click(manager, kManagerRename);
    });
    script.OnDialog("Rename qv:Reverb preset", renameTo(presetField, "Tiny"));
    script.Do("save", [&] {
        afterPreset = DescribeTree(ManagerTree(manager));
        Click(manager, IDOK);
    });
    ShowPresetManager(store);
    EXPECT_EQ(bankField, "Halls");
    EXPECT_EQ(presetField, "Small");
    // The joined bank is named after its first preset's bank.
    EXPECT_EQ(afterBank, std::string("<") + kRoot + ">{ rooms{ Big Booth Small } }");
    EXPECT_EQ(afterPreset, std::string(kRoot) + "{ rooms{ Big Booth <Tiny> } }");
    EXPECT_EQ(NamesAndBanks(store),
              (std::vector<std::string>{"Big|rooms", "Booth|Rooms", "Tiny|rooms"}));
}

}  // namespace
