#include <gtest/gtest.h>

#include "PresetTestSupport.h"

namespace {

class PresetFileDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        store.SetManagerWindow(manager);
        store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", "C:\\Presets\\Mine\\qvRuvodaR3.ini");
    }

    const HWND manager = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4321));
    ScriptedMessages messages;
    ScriptedFileDialogs dialogs;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages, &dialogs};
};

TEST_F(PresetFileDialogTest, EachKindStartsInThePresetFolderUntilConfirmedOnce) {
    dialogs.results = {FileDialogs::kCancelled, FileDialogs::kChosen, FileDialogs::kChosen,
                       FileDialogs::kChosen};
    std::string path;
    EXPECT_FALSE(store.ChoosePresetFile(false, "Import Preset(s)", path));
    EXPECT_TRUE(store.ChoosePresetFile(false, "Import Preset(s)", path));
    EXPECT_EQ(path, "C:\\chosen.ini");
    EXPECT_TRUE(store.ChoosePresetFile(false, "Import Preset(s)", path));
    path = "qv_Reverb.ini";
    EXPECT_TRUE(store.ChoosePresetFile(true, "Export all presets", path));

    ASSERT_EQ(dialogs.asked.size(), 4u);
    EXPECT_EQ(dialogs.asked[0].initialDirectory, "C:\\Presets\\Mine\\");
    EXPECT_EQ(dialogs.asked[1].initialDirectory, "C:\\Presets\\Mine\\");
    EXPECT_EQ(dialogs.asked[2].initialDirectory, "(none)");
    EXPECT_EQ(dialogs.asked[3].initialDirectory, "C:\\Presets\\Mine\\");
    EXPECT_FALSE(dialogs.asked[2].save);
    EXPECT_TRUE(dialogs.asked[3].save);
    EXPECT_EQ(dialogs.asked[3].suggestion, "qv_Reverb.ini");
    EXPECT_EQ(store.OpenDialogsConfirmed(), 2);
    EXPECT_EQ(store.SaveDialogsConfirmed(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PresetFileDialogTest, APlatformFailureIsReportedAndCancellingIsSilent) {
    dialogs.results = {FileDialogs::kFailed, FileDialogs::kCancelled};
    std::string path = "x.ini";
    EXPECT_FALSE(store.ChoosePresetFile(true, "Export preset", path));
    EXPECT_FALSE(store.ChoosePresetFile(true, "Export preset", path));
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, "Unable to open file dialog.");
    EXPECT_EQ(messages.shown[0].caption, "qv:Reverb Preset Manager");
    EXPECT_EQ(messages.shown[0].flags, static_cast<UINT>(MB_ICONSTOP | MB_OK));
    EXPECT_EQ(messages.shown[0].owner, manager);
    EXPECT_EQ(store.SaveDialogsConfirmed(), 0);
    EXPECT_EQ(dialogs.asked[1].initialDirectory, "C:\\Presets\\Mine\\");
}

}  // namespace
