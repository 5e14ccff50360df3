// The Presets button: a preset chosen from its menu is applied to the filter.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ClassKey.h"
#include "EditorHarness.h"

namespace {

// Points the filter's preset lookup at a folder of the test's own, for the test's life.
class PresetFolder {
public:
    explicit PresetFolder(const char* fileText) {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder_ = std::string(temp) + "ruvoda-editor-presets";
        CreateDirectoryA(folder_.c_str(), nullptr);
        FILE* file = std::fopen((folder_ + "\\qvRuvodaR3.ini").c_str(), "wb");
        std::fputs(fileText, file);
        std::fclose(file);
        RegSetKeyValueA(HKEY_LOCAL_MACHINE, key_.c_str(), "PluginPath", REG_SZ, folder_.c_str(),
                        static_cast<DWORD>(folder_.size() + 1));
    }
    ~PresetFolder() {
        RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key_.c_str(), "PluginPath");
        DeleteFileA((folder_ + "\\qvRuvodaR3.ini").c_str());
        RemoveDirectoryA(folder_.c_str());
    }

private:
    const std::string key_ = ClassKeyPath(CLSID_RuvodaR3);
    std::string folder_;
};

// The page reads the preset file when its window is made, after the fixture's members.
class EditorPresetsTest : public EditorTest {
protected:
    PresetFolder presets{
        "[Plug-in]\r\nPluginName=qv:Reverb\r\n"
        "CLSID=SOFTWARE\\Classes\\CLSID\\{7A3E1C20-5D7A-4C31-9E0B-7155A0C3D2E1}\r\n"
        "[Preset1]\r\nVersion=1\r\nName=Old Plate\r\nBank=Plates\r\n"
        "Data=-20,100,50,30,70,80,12,400,35,60,-10,-40,-90,2,0,1,0,0\r\n"};
};

}  // namespace

TEST_F(EditorPresetsTest, ChosenPresetIsAppliedWithItsVersionsWidthAndTailOff) {
    filter.control->put_Tail(1);
    // Add Preset..., Preset Manager..., (separator), the bank "Plates": open it, take its preset.
    for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}) PostMessageA(page, WM_KEYDOWN, key, 0);
    Click(kPresetsButton);
    EXPECT_EQ(Value(kWidth), 100);  // version 1 keeps the width in steps of 50 %
    EXPECT_EQ(Value(kDecayTime), 35);
    EXPECT_EQ(Value(kDryMute), 1);
    EXPECT_EQ(Value(kTail), 0);
    EXPECT_EQ(Text(kDecayTimeField), "3.5");
    EXPECT_EQ(Text(kInputField), "-2.0");
    filter.control->SwapUndo();  // one undo step
    EXPECT_EQ(Value(kDecayTime), 15);
}
