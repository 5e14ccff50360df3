// The Presets menu as the editor shows it, and the editor's context menu.
#include "PresetUiSupport.h"
#include "PresetsMenu.h"

namespace {

using PresetsMenuUi = PresetUiTest;

TEST_F(PresetsMenuUi, BanksDifferingInCaseAreTwoSubmenusAndTheChoiceIsApplied) {
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

    script.LookAtMenu(second).Dismiss();
    EXPECT_EQ(PressPresetsButton(), "");
    EXPECT_EQ(second,
              "Add Preset...=10501 | Update Preset: Big...=1503 | Preset Manager...=10500 | - | "
              "Hall[ Alpha=3503 | Cold=3504 ] | hall[ *Big=3502 ] | Loose=3501");
}

TEST_F(PresetsMenuUi, UpdateAsksAndOnYesTakesTheEditorsSettingsAndWritesTheFile) {
    Preset* preset = AddPreset(store, "Plate", "", "old");
    preset->version = 1;
    store.SetCurrentId(preset->id);
    struct Case {
        int answer;
        std::string data;
        int version;
    };
    for (const Case& c : {Case{IDNO, "old", 1}, Case{IDYES, kEditorSettings, 3}}) {
        messages.answers = {c.answer};
        UiScript script;
        script.Choose({"Update Preset: Plate..."});
        EXPECT_EQ(PressPresetsButton(), "") << "nothing is applied";
        EXPECT_EQ(preset->data, c.data);
        EXPECT_EQ(preset->version, c.version);
        const bool written = ReadBytes(FilePath()).find(kEditorSettings) != std::string::npos;
        EXPECT_EQ(written, c.answer == IDYES);
        messages.Expect({"Would you like to update the stored parameters for\n"
                         "the \"Plate\" preset with the current settings?"},
                        MB_ICONQUESTION | MB_YESNO, editor.Window());
    }
}

TEST_F(PresetsMenuUi, TheEditorsContextMenuOpensTheMakersHomePage) {
    static std::vector<std::string> opened;
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

}  // namespace
