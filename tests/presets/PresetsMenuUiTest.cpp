// The Presets menu as the editor shows it, and the editor's context menu.
#include "PresetCommands.h"
#include "PresetResources.h"
#include "PresetUiSupport.h"
#include "PresetsMenu.h"

namespace {

class PresetsMenuUi : public PresetUiTest {};

TEST_F(PresetsMenuUi, BanksDifferingInCaseAreTwoSubmenusAndTheChoiceIsApplied) {
    AddPreset(store, "Loose", "", "1");
    Preset* big = AddPreset(store, "Big", "hall", "2");
    AddPreset(store, "Alpha", "Hall", "3");
    big->version = 1;
    AddPreset(store, "Cold", "Hall", "4");
    store.Sort();

    std::string first;
    UiScript script;
    script.LookAtMenu(first).Choose({"hall", "Big"});
    int version = 0;
    EXPECT_EQ(PressPresetsButton(store, editor.Window(), &version), "2");
    EXPECT_EQ(version, 1);
    EXPECT_EQ(store.CurrentId(), big->id);
    // Sorted, the banks interleave: Alpha (Hall), Big (hall), Cold (Hall).
    EXPECT_EQ(first,
              "Add Preset...=10501 | Preset Manager...=10500 | - | Hall[ Alpha=3503 | "
              "Cold=3504 ] | hall[ Big=3502 ] | Loose=3501");

    std::string second;
    script.LookAtMenu(second).Dismiss();
    EXPECT_EQ(PressPresetsButton(store, editor.Window()), "");
    EXPECT_EQ(second,
              "Add Preset...=10501 | Update Preset: Big...=1503 | Preset Manager...=10500 | - | "
              "Hall[ Alpha=3503 | Cold=3504 ] | hall[ *Big=3502 ] | Loose=3501");
}

TEST_F(PresetsMenuUi, UpdateAsksAndOnYesTakesTheEditorsSettingsAndWritesTheFile) {
    struct Case {
        int answer;
        std::string data;
        int version;
        bool written;
    };
    for (const Case& c : {Case{IDNO, "old", 1, false}, Case{IDYES, kEditorSettings, 3, true}}) {
        DeleteFileA(FilePath().c_str());
        Preset* preset = AddPreset(store, "Plate", "", "old");
        preset->version = 1;
        store.SetCurrentId(preset->id);
        messages.answers = {c.answer};
        UiScript script;
        script.Choose({"Update Preset: Plate..."});
        EXPECT_EQ(PressPresetsButton(store, editor.Window()), "") << "nothing is applied";
        EXPECT_EQ(preset->data, c.data);
        EXPECT_EQ(preset->version, c.version);
        EXPECT_EQ(FileExists(FilePath()), c.written);
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  "Would you like to update the stored parameters for\n"
                  "the \"Plate\" preset with the current settings?");
        EXPECT_EQ(messages.shown[0].owner, editor.Window());
        EXPECT_EQ(messages.shown[0].flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
        messages.shown.clear();
        store.DeleteAt(0);
    }
}

TEST_F(PresetsMenuUi, TheEditorsContextMenuOpensTheMakersHomePage) {
    static std::vector<std::string> opened;
    const OpenAddress record = [](HWND owner, const char* address) {
        opened.push_back(address);
        EXPECT_NE(owner, nullptr);
    };
    std::string menu;
    UiScript script;
    script.LookAtMenu(menu).Dismiss();
    EXPECT_EQ(EditorContextMenu(editor.Window(), {300, 500}, record), 0);
    EXPECT_EQ(menu, "Go to Quillorn home page...=1001");
    EXPECT_TRUE(opened.empty());

    script.Choose({"Go to Quillorn home page..."});
    EXPECT_EQ(EditorContextMenu(editor.Window(), {300, 500}, record), 0);
    EXPECT_EQ(opened, (std::vector<std::string>{"https://www.quillorn.com/"}));
}

}  // namespace
