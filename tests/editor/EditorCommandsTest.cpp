// The page's buttons and the setup menu, and the hand-over of the current settings.
#include <gtest/gtest.h>

#include "EditorHarness.h"
#include "Preset.h"
#include "PresetStore.h"
#include "PresetText.h"
#include "SkinProtocol.h"

namespace {

constexpr int kSetupMenuCopyTo = 3;  // Down presses: Setup A, Setup B, (separator), Copy to, Copy from
constexpr int kSetupMenuCopyFrom = 4;

}  // namespace

TEST_F(EditorTest, SetupsSwitchAndCopyThroughTheButtonAndItsMenu) {
    Type(kInputField, "-6");
    ChooseFromMenu(kSetupMenuButton, kSetupMenuCopyTo);
    Type(kInputField, "0");
    ChooseFromMenu(kSetupMenuButton, 2);  // Setup B
    EXPECT_EQ(Text(kSetupButton), "Setup B");
    EXPECT_EQ(Text(kInputField), "-6.0");
    ChooseFromMenu(kSetupMenuButton, kSetupMenuCopyFrom);  // "Copy from A" brings 0.0 into B
    EXPECT_EQ(Text(kInputField), "0.0");
    filter.control->SwapUndo();  // and is one undo step
    EXPECT_EQ(Value(kInputGain), -60);
    ChooseFromMenu(kSetupMenuButton, 0);  // closed without a choice
    EXPECT_EQ(filter.control->GetCurrentSetup(), 1);
    EXPECT_EQ(Ask(kSetupMenuButton, QVBM_GETCHECK), 0);
    Click(kSetupButton);
    EXPECT_EQ(Text(kSetupButton), "Setup A");
    EXPECT_EQ(Text(kInputField), "0.0");
}

TEST_F(EditorTest, UndoTogglesAroundResetAndLeavesTheOutputLayoutAlone) {
    Type(kDecayTimeField, "7.5");
    Click(kReverbMuteButton);
    Click(kBypassButton);
    const ReverbParams before = filter.Params();
    Click(kResetButton);
    EXPECT_TRUE(filter.Params() == DefaultParams());
    EXPECT_EQ(Text(kDecayTimeField), "1.5");
    EXPECT_EQ(filter.control->GetBypass(), 1);  // reset leaves bypass on
    EXPECT_EQ(Ask(kBypassButton, QVBM_GETCHECK), 1);
    Click(kUndoButton);
    EXPECT_TRUE(filter.Params() == before);
    EXPECT_EQ(Text(kDecayTimeField), "7.5");
    Click(kUndoButton);
    EXPECT_TRUE(filter.Params() == DefaultParams());

    Click(kStereoButton);
    Click(kUndoButton);
    EXPECT_TRUE(filter.Params() == DefaultParams());
    EXPECT_EQ(Text(kStereoButton), "Mono");
}

TEST_F(EditorTest, SwitchButtonsToggleTheirFieldAndLightUp) {
    struct Row {
        int button, field;
    };
    const Row rows[] = {{kInputMuteButton, kInputMute}, {kDryMuteButton, kDryMute}, {kEarlyMuteButton, kEarlyMute},
                        {kReverbMuteButton, kReverbMute}, {kTailButton, kTail}};
    for (const Row& r : rows) {
        Click(r.button);
        EXPECT_EQ(Value(r.field), 1) << r.button;
        EXPECT_EQ(Ask(r.button, QVBM_GETCHECK), 1) << r.button;
        Click(r.button);
        EXPECT_EQ(Value(r.field), 0) << r.button;
        EXPECT_EQ(Ask(r.button, QVBM_GETCHECK), 0) << r.button;
    }
}

TEST_F(EditorTest, FirstTickStartsBothSetupsAndUndoFromTheOpeningStateAndPlacesTheFocus) {
    SetFocus(Item(kBypassButton));
    Tick();
    EXPECT_EQ(GetFocus(), Item(kInputSlider));
    Type(kRoomSizeField, "80");
    Click(kSetupButton);  // B is a copy of what the page opened with
    EXPECT_EQ(Text(kRoomSizeField), "50");
    Tick();  // only the first tick copies
    Click(kSetupButton);
    EXPECT_EQ(Text(kRoomSizeField), "80");
}

TEST_F(EditorTest, HandsTheCurrentSettingsToThePresetStoreAsText) {
    Type(kWidthField, "150");
    char* data = nullptr;
    SendMessageA(page, MSG_GET_PRESET_DATA, reinterpret_cast<WPARAM>(&data), 0);
    ASSERT_NE(data, nullptr);
    EXPECT_STREQ(data, WritePresetText(filter.Params()).c_str());
    FreePresetData(data);
}

TEST_F(EditorTest, HelpButtonOpensTheHelpFileBesideTheModule) {
    // The viewer needs the single-threaded apartment that hosts' user-interface threads have.
    CoUninitialize();
    ASSERT_EQ(S_OK, CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    Click(kHelpButton);
    HWND viewer = FindWindowA(nullptr, "qv:Ruvoda R3 Help");
    ASSERT_NE(viewer, nullptr);
    SendMessageA(viewer, WM_CLOSE, 0, 0);
    Pump();
    CoUninitialize();
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
}
