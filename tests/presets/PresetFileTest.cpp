#include <gtest/gtest.h>

#include "PresetTestSupport.h"

namespace {

const char kData1[] = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0";
const char kData2[] = "-20,150,120,40,55,100,8,600,18,90,0,-90,-100,100,0,0,0,0";

class PresetFileTest : public ::testing::Test {
protected:
    std::string Own() const { return OwnClassKey(); }

    // A store loaded from `path` as the plug-in's own file.
    void LoadFrom(const std::string& path, PresetStore& into) {
        into.SetAlternateClassKey(PluginClassKey().c_str());
        into.Load(Own().c_str(), "qvRuvodaR3.ini", path.c_str());
    }
    void LoadFrom(const std::string& path) { LoadFrom(path, store); }

    TempFolder folder;
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};

TEST_F(PresetFileTest, WritesANewFileExactly) {
    const std::string path = folder.Path("new.ini");
    AddPreset(store, "Large Hall", "Halls", kData1);
    AddPreset(store, "Vocal Plate", "", kData2)->version = -7;
    store.WriteAll(Own().c_str(), path.c_str());
    EXPECT_EQ(ReadBytes(path), HeaderFor(Own()) + "DefaultPreset=1\r\n" +
                                   SectionText(1, "3", "Large Hall", "Halls", kData1) +
                                   SectionText(2, "-7", "Vocal Plate", "", kData2));
}

TEST_F(PresetFileTest, ReadsUpToTheFirstGapOrMissingKey) {
    const std::string name(200, 'n'), bank(200, 'b'), data(5000, '7');
    std::string lower = Own();
    for (char& c : lower) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> presets;  // "name|bank|version" in list order
    };
    const Case cases[] = {
        {"file order, then sorted; ids in file order",
         HeaderFor(Own()) + SectionText(1, "3", "Zeta", "", kData1) + SectionText(2, "1", "Alpha", "Rooms", kData2),
         {"Alpha|Rooms|1", "Zeta||3"}},
        {"a missing Bank line ends reading; an empty one means none",
         HeaderFor(Own()) + SectionText(1, "3", "Bankless", "", kData1) +
             "[Preset2]\r\nVersion=3\r\nName=NoBankLine\r\nData=" + kData1 + "\r\n" +
             SectionText(3, "3", "After", "X", kData1),
         {"Bankless||3"}},
        {"the missing marker as a value counts as missing",
         HeaderFor(Own()) + SectionText(1, "3", "First", "", kData1) +
             SectionText(2, "3", "KEY_NOT_FOUND", "", kData1) + SectionText(3, "3", "Third", "", kData1),
         {"First||3"}},
        {"a version without a number is 0; leading digits count",
         HeaderFor(Own()) + SectionText(1, "abc", "Odd", "", kData1) + SectionText(2, "12xyz", "Leading", "", kData1),
         {"Leading||12", "Odd||0"}},
        // Only 15 of the 16 digits are read.
        {"values cut at their limits",
         HeaderFor(Own()) + SectionText(1, "0000000000000003", name.c_str(), bank.c_str(), data.c_str()),
         {name.substr(0, 127) + "|" + bank.substr(0, 127) + "|0"}},
        {"class keys compare ignoring case", HeaderFor(lower) + SectionText(1, "3", "A", "", kData1), {"A||3"}},
        {"no header", SectionText(1, "3", "A", "", kData1), {}},
    };
    for (const Case& c : cases) {
        const std::string path = folder.Path("case.ini");
        WriteBytes(path, c.text);
        PresetStore read(nullptr, nullptr, "qv:Reverb", &messages);
        LoadFrom(path, read);
        std::vector<std::string> presets;
        for (int i = 0; i < read.Count(); ++i) {
            const Preset* p = read.PresetAt(i);
            presets.push_back(std::string(p->name) + "|" + p->bank + "|" + std::to_string(p->version));
        }
        EXPECT_EQ(presets, c.presets) << c.name;
        EXPECT_TRUE(messages.shown.empty()) << c.name;
    }
    LoadFrom(folder.Path("absent.ini"));
    EXPECT_EQ(store.Count(), 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PresetFileTest, KeepsFileOrderIdsAndDataAndWritesUnreadableVersionsAsZero) {
    const std::string path = folder.Path("own.ini");
    WriteBytes(path, HeaderFor(Own()) + SectionText(1, "abc", "Zeta", "", kData1) +
                         SectionText(2, "1", "Alpha", "Rooms", kData2));
    LoadFrom(path);
    EXPECT_STREQ(store.FilePath(), path.c_str());
    EXPECT_EQ(store.IdAt(0), 3502);
    EXPECT_EQ(store.IdAt(1), 3501);
    EXPECT_STREQ(store.PresetAt(0)->data, kData2);
    EXPECT_STREQ(store.PresetAt(1)->data, kData1);
    store.WriteAll(store.ClassKey(), store.FilePath());
    const std::string after = ReadBytes(path);
    EXPECT_NE(after.find(SectionText(1, "1", "Alpha", "Rooms", kData2) + SectionText(2, "0", "Zeta", "", kData1)),
              std::string::npos) << after;
}

TEST_F(PresetFileTest, ReadingStopsAtAGapAndWritingLeavesWhatLiesBeyondIt) {
    const std::string path = folder.Path("gap.ini");
    const std::string beyond = SectionText(4, "3", "Far", "Away", kData2);
    WriteBytes(path, "[Mine]\r\nKeep=yes\r\n" + HeaderFor(Own()) + "Extra=1\r\n" +
                         SectionText(1, "3", "A", "", kData1) +
                         SectionText(2, "3", "B", "", kData1) + beyond);
    LoadFrom(path);
    ASSERT_EQ(store.Count(), 2);

    store.DeleteAt(0);
    store.WriteAll(store.ClassKey(), store.FilePath());
    const std::string after = ReadBytes(path);
    EXPECT_NE(after.find("[Mine]\r\nKeep=yes\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("Extra=1\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find(SectionText(1, "3", "B", "", kData1)), std::string::npos) << after;
    EXPECT_EQ(after.find("[Preset2]"), std::string::npos) << after;
    EXPECT_NE(after.find(beyond), std::string::npos) << after;

    // With four presets the store's own Preset4 takes the place of the old one.
    for (const char* name : {"C", "D", "E"}) AddPreset(store, name, "", kData1);
    store.WriteAll(store.ClassKey(), store.FilePath());
    const std::string full = ReadBytes(path);
    EXPECT_NE(full.find(SectionText(4, "3", "E", "", kData1)), std::string::npos) << full;
    EXPECT_EQ(full.find("Far"), std::string::npos) << full;
}

TEST_F(PresetFileTest, AFileOfAnotherClassIsRefusedWithAStopMessage) {
    const std::string path = folder.Path("plugin.ini");
    WriteBytes(path, HeaderFor(PluginClassKey()) + SectionText(1, "3", "A", "", kData1));
    LoadFrom(path);
    EXPECT_EQ(store.Count(), 0);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text,
              "No presets could be loaded because the preset file\n\"" + path +
                  "\"\ndoes not contain preset data compatible with this plug-in.");
    EXPECT_EQ(messages.shown[0].flags, static_cast<UINT>(MB_ICONSTOP | MB_OK));

    // The same file imports fine: its class is the accepted alternate.
    EXPECT_TRUE(store.Import(path.c_str()));
    EXPECT_EQ(store.Count(), 1);
    EXPECT_EQ(messages.shown.size(), 1u);
}

TEST_F(PresetFileTest, ImportRefusesForeignAndHeaderlessFilesWithTheirMessages) {
    const HWND manager = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
    store.SetManagerWindow(manager);
    const std::string own = folder.Path("own.ini");
    WriteBytes(own, HeaderFor(Own()) + SectionText(1, "3", "A", "", kData1));
    EXPECT_FALSE(store.Import(own.c_str()));  // never loaded: no class key yet
    LoadFrom(folder.Path("absent.ini"));
    EXPECT_FALSE(store.Import(""));
    EXPECT_TRUE(messages.shown.empty());
    const std::string foreign = folder.Path("foreign.ini");
    WriteBytes(foreign, HeaderFor("SOFTWARE\\Classes\\CLSID\\{00000000-0000-0000-0000-000000000001}") +
                            SectionText(1, "3", "A", "", kData1));
    const std::string headless = folder.Path("headless.ini");
    WriteBytes(headless, SectionText(1, "3", "A", "", kData1));

    EXPECT_FALSE(store.Import(foreign.c_str()));
    EXPECT_FALSE(store.Import(headless.c_str()));
    EXPECT_FALSE(store.Import(folder.Path("absent.ini").c_str()));
    EXPECT_EQ(store.Count(), 0);
    ASSERT_EQ(messages.shown.size(), 3u);
    EXPECT_EQ(messages.shown[0].text,
              "The preset file you are trying to import does not contain data for this plug-in.");
    EXPECT_EQ(messages.shown[1].text,
              "The file you selected does not contain Quillorn Veltria:qv plug-in preset data.");
    EXPECT_EQ(messages.shown[2].text, messages.shown[1].text);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.owner, manager);
        EXPECT_EQ(shown.caption, "qv:Reverb Preset Manager");
        EXPECT_EQ(shown.flags, static_cast<UINT>(MB_ICONSTOP | MB_OK));
    }
}

TEST_F(PresetFileTest, ImportingTheOwnFileAsksOncePerIdenticalPreset) {
    const std::string path = folder.Path("own.ini");
    WriteBytes(path, HeaderFor(Own()) + SectionText(1, "3", "Hall", "Halls", kData1) +
                         SectionText(2, "3", "Room", "", kData2));
    LoadFrom(path);
    ASSERT_EQ(store.Count(), 2);
    messages.answers = {IDYES, IDNO};
    EXPECT_TRUE(store.Import(path.c_str()));
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].text,
              "The preset \"Hall\" you are importing already exists in the qv:Reverb preset "
              "list.\nDo you want to add it anyway?");
    EXPECT_EQ(messages.shown[0].flags, static_cast<UINT>(MB_ICONQUESTION | MB_YESNO));
    EXPECT_EQ(NamesAndBanks(store),
              (std::vector<std::string>{"Hall|Halls", "Room|", "Hall|Halls"}));
    EXPECT_EQ(store.IdAt(2), 3503);
}

TEST_F(PresetFileTest, PresetsImportedEarlierInTheSameFileCountAsDuplicates) {
    const std::string path = folder.Path("twins.ini");
    WriteBytes(path, HeaderFor(Own()) + SectionText(1, "3", "Twin", "B", kData1) +
                         SectionText(2, "3", "TWIN", "b", kData1) +
                         SectionText(3, "3", "Twin", "B", kData2));
    LoadFrom(folder.Path("absent.ini"));
    messages.answers = {IDNO};
    EXPECT_TRUE(store.Import(path.c_str()));
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(store.Count(), 2);
    EXPECT_STREQ(store.PresetAt(1)->data, kData2);
}

TEST_F(PresetFileTest, WritingFewerPresetsDeletesTheOldConsecutiveSections) {
    const std::string path = folder.Path("shrink.ini");
    WriteBytes(path, HeaderFor(Own()) + SectionText(1, "3", "A", "", kData1) +
                         SectionText(2, "3", "B", "", kData1) +
                         SectionText(3, "3", "C", "", kData1) + "[Tail]\r\nx=1\r\n");
    LoadFrom(path);
    store.DeleteAt(2);
    store.DeleteAt(0);
    store.WriteAll(store.ClassKey(), store.FilePath());

    PresetStore reread(nullptr, nullptr, "qv:Reverb", &messages);
    reread.Load(Own().c_str(), "qvRuvodaR3.ini", path.c_str());
    EXPECT_EQ(NamesAndBanks(reread), (std::vector<std::string>{"B|"}));
    const std::string after = ReadBytes(path);
    EXPECT_EQ(after.find("[Preset2]"), std::string::npos) << after;
    EXPECT_EQ(after.find("[Preset3]"), std::string::npos) << after;
    EXPECT_NE(after.find("[Tail]\r\nx=1\r\n"), std::string::npos) << after;
}

}  // namespace
