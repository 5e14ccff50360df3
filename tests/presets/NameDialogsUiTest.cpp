// The three name dialogs refuse empty names with a message and stay open.
#include <string>
#include <vector>

#include "PresetResources.h"
#include "PresetUiSupport.h"
#include "PresetsMenu.h"

namespace {

const char* const kRoot = kRootText;

class NameDialogsUi : public PresetUiTest {
protected:
    HWND manager = nullptr;
};

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

}  // namespace
