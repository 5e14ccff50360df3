#include "PresetTestSupport.h"

namespace {

const char kData[] = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0";

class PresetExportTest : public PresetTest {
protected:
    void SetUp() override {
        store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", folder.Path("own.ini").c_str());
        hall = AddPreset(store, "Large", "Halls", "1");
        room = AddPreset(store, "Small", "Rooms", "2");
        hall2 = AddPreset(store, "Small", "HALLS", "3");
        loose = AddPreset(store, "Loose", "", "4");
    }

    // A file that already holds four presets and a foreign section.
    std::string ExistingFile() {
        const std::string path = folder.Path("existing.ini");
        WriteBytes(path, HeaderFor(PluginClassKey()) + "DefaultPreset=7\r\n" +
                             SectionText(1, "3", "Old1", "", kData) +
                             SectionText(2, "3", "Old2", "", kData) +
                             SectionText(3, "3", "Old3", "", kData) +
                             SectionText(4, "3", "Old4", "", kData) + "[Other]\r\nk=v\r\n");
        return path;
    }

    Preset* hall = nullptr;
    Preset* room = nullptr;
    Preset* hall2 = nullptr;
    Preset* loose = nullptr;
};

TEST_F(PresetExportTest, SelectionsWriteTheirPresetsInListOrder) {
    const std::string old34 = SectionText(3, "3", "Old3", "", kData) + SectionText(4, "3", "Old4", "", kData) +
                              "[Other]\r\nk=v\r\n";
    struct Case {
        const char* name;
        PresetSelection selection;
        bool existing;         // over ExistingFile(), else a new file
        std::string expected;  // "" for no file
    };
    const Case cases[] = {
        // A bank's presets replace the first sections and leave the higher ones.
        {"bank", PresetSelection::Bank(hall2->id), true,
         HeaderFor(OwnClassKey()) + "DefaultPreset=7\r\n" + SectionText(1, "3", "Large", "Halls", "1") +
             SectionText(2, "3", "Small", "HALLS", "3") + old34},
        {"root", PresetSelection::All(), false,
         HeaderFor(OwnClassKey()) + "DefaultPreset=1\r\n" + SectionText(1, "3", "Large", "Halls", "1") +
             SectionText(2, "3", "Small", "Rooms", "2") + SectionText(3, "3", "Small", "HALLS", "3") +
             SectionText(4, "3", "Loose", "", "4")},
        {"one preset", PresetSelection::OnePreset(room->id), true,
         HeaderFor(OwnClassKey()) + "DefaultPreset=7\r\n" + SectionText(1, "3", "Small", "Rooms", "2") +
             SectionText(2, "3", "Old2", "", kData) + old34},
        {"none", PresetSelection::None(), false, ""},
        {"unknown preset", PresetSelection::OnePreset(9999), false, ""},
        {"unknown bank", PresetSelection::Bank(9999), false, ""},
    };
    for (const Case& c : cases) {
        const std::string path = c.existing ? ExistingFile() : folder.Path("new.ini");
        store.ExportSelection(c.selection, store.ClassKey(), path.c_str());
        EXPECT_EQ(ReadBytes(path), c.expected) << c.name;
        DeleteFileA(path.c_str());
    }
}

TEST_F(PresetExportTest, SuggestedNamesReplaceCharactersUnfitForFileNames) {
    EXPECT_EQ(store.SuggestedExportName(PresetSelection::All()), "qv_Reverb.ini");
    std::snprintf(hall->bank, sizeof hall->bank, "Hall: Large");
    EXPECT_EQ(store.SuggestedExportName(PresetSelection::Bank(hall->id)), "Hall__Large.ini");
    std::snprintf(loose->name, sizeof loose->name, "a b*c?d<e>f:g\\h\"i/j|k\tl\rm\nn.-_'");
    EXPECT_EQ(store.SuggestedExportName(PresetSelection::OnePreset(loose->id)),
              "a_b_c_d_e_f_g_h_i_j_k_l_m_n.-_'.ini");
    EXPECT_EQ(store.SuggestedExportName(PresetSelection::OnePreset(9999)), "");
    EXPECT_EQ(store.SuggestedExportName(PresetSelection::None()), "");
}

}  // namespace
