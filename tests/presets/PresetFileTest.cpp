// The preset file through the platform's profile functions, and what it survives: foreign
// and damaged files, files that cannot be written, names the profile functions would change.
#include <algorithm>
#include <set>

#include "PresetTestSupport.h"
#include "PresetText.h"
#include "ReverbParams.h"

namespace {

const char kData1[] = "0,75,40,0,50,100,10,500,15,40,0,-35,-120,100,0,0,0,0";
const char kData2[] = "-20,150,120,40,55,100,8,600,18,90,0,-90,-100,100,0,0,0,0";

class PresetFileTest : public PresetTest {
protected:
    std::string Path() const { return folder.Path("qvRuvodaR3.ini"); }
    // Loads `path` into `into` as the filter's own file, the plug-in's accepted for import.
    void LoadFrom(const std::string& path, PresetStore& into) {
        into.SetAlternateClassKey(PluginClassKey().c_str());
        into.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", path.c_str());
    }
    // Writes `text` as the file and loads it into the test's store.
    void LoadText(const std::string& text) {
        WriteBytes(Path(), text);
        LoadFrom(Path(), store);
    }
    // What a fresh store reads from `path`.
    std::vector<std::string> Reread(const std::string& path) {
        PresetStore reread(nullptr, nullptr, "qv:Reverb", &messages);
        LoadFrom(path, reread);
        return NamesAndBanks(reread);
    }
};

TEST_F(PresetFileTest, ReadsUpToTheFirstGapOrMissingKey) {
    const std::string own = HeaderFor(OwnClassKey());
    const std::string name(200, 'n'), bank(200, 'b'), data(5000, '7');
    std::string lower = OwnClassKey();
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> presets;
    };
    const Case cases[] = {
        {"sorted; ids in file order",
         own + SectionText(1, "3", "Zeta", "", "1") + SectionText(2, "1", "Alpha", "Rooms", "2"),
         {"Alpha|Rooms|1|3502|2", "Zeta||3|3501|1"}},
        {"a missing Bank line ends reading; an empty one means none",
         own + SectionText(1, "3", "Bankless", "", "1") +
             "[Preset2]\r\nVersion=3\r\nName=NoBankLine\r\nData=2\r\n" +
             SectionText(3, "3", "After", "X", "3"),
         {"Bankless||3|3501|1"}},
        {"the missing marker as a value counts as missing",
         own + SectionText(1, "3", "First", "", "1") + SectionText(2, "3", "KEY_NOT_FOUND", "", "2") +
             SectionText(3, "3", "Third", "", "3"),
         {"First||3|3501|1"}},
        {"a version without a number is 0; leading digits count",
         own + SectionText(1, "abc", "Odd", "", "1") + SectionText(2, "12xyz", "Leading", "", "2"),
         {"Leading||12|3502|2", "Odd||0|3501|1"}},
        // Only 15 of the 16 digits are read.
        {"values cut at their limits",
         own + SectionText(1, "0000000000000003", name.c_str(), bank.c_str(), data.c_str()),
         {name.substr(0, 127) + "|" + bank.substr(0, 127) + "|0|3501|" + data.substr(0, 4095)}},
        {"class keys compare ignoring case", HeaderFor(lower) + SectionText(1, "3", "A", "", "1"),
         {"A||3|3501|1"}},
        {"no header", SectionText(1, "3", "A", "", "1"), {}},
    };
    for (const Case& c : cases) {
        WriteBytes(Path(), c.text);
        PresetStore read(nullptr, nullptr, "qv:Reverb", &messages);
        LoadFrom(Path(), read);
        EXPECT_EQ(Records(read), c.presets) << c.name;
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PresetFileTest, WritingReplacesThePresetSectionsUpToTheGapAndKeepsTheRest) {
    const std::string beyond = SectionText(5, "3", "Far", "Away", kData2);
    LoadText("[Mine]\r\nKeep=yes\r\n" + HeaderFor(OwnClassKey()) + "Extra=1\r\n" +
             SectionText(1, "3", "A", "", kData1) + SectionText(2, "3", "B", "", kData1) +
             SectionText(3, "3", "C", "", kData1) + beyond);
    ASSERT_EQ(store.Count(), 3);
    store.DeleteAt(2);
    store.DeleteAt(0);
    store.WriteAll(store.ClassKey(), store.FilePath());
    const std::string after = ReadBytes(Path());
    EXPECT_EQ(Reread(Path()), (std::vector<std::string>{"B|"}));
    for (const std::string& kept :
         {std::string("[Mine]\r\nKeep=yes\r\n"), std::string("Extra=1\r\n"), beyond}) {
        EXPECT_NE(after.find(kept), std::string::npos) << kept << " in " << after;
    }
    EXPECT_EQ(after.find("[Preset2]"), std::string::npos) << after;
    EXPECT_EQ(after.find("[Preset3]"), std::string::npos) << after;

    // With five presets the store's own Preset5 takes the place of the old one.
    for (const char* name : {"C", "D", "E", "F"}) AddPreset(store, name, "", kData1);
    store.WriteAll(store.ClassKey(), store.FilePath());
    const std::string full = ReadBytes(Path());
    EXPECT_NE(full.find(SectionText(5, "3", "F", "", kData1)), std::string::npos) << full;
    EXPECT_EQ(full.find("Far"), std::string::npos) << full;
}

TEST_F(PresetFileTest, FilesOfOtherClassesAreRefusedAndCopiesImportedOnlyOnYes) {
    const std::string section = SectionText(1, "3", "A", "", kData1);
    LoadText(HeaderFor(PluginClassKey()) + section);
    EXPECT_EQ(store.Count(), 0);
    messages.Expect({"No presets could be loaded because the preset file\n\"" + Path() +
                     "\"\ndoes not contain preset data compatible with this plug-in."},
                    MB_ICONSTOP | MB_OK);

    // Import also takes the plug-in's files.
    const HWND manager = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x1234));
    store.SetManagerWindow(manager);
    const std::vector<std::string> noData = {
        "The file you selected does not contain Quillorn Veltria:qv plug-in preset data."};
    struct Case {
        const char* name;
        std::string text;
        std::vector<std::string> messages;  // none: imported
    };
    const Case cases[] = {
        {"another class", HeaderFor("{00000000-0000-0000-0000-000000000001}") + section,
         {"The preset file you are trying to import does not contain data for this plug-in."}},
        {"no header", section, noData},
        {"the plug-in's", HeaderFor(PluginClassKey()) + section, {}},
    };
    const std::string path = folder.Path("imported.ini");
    for (const Case& c : cases) {
        WriteBytes(path, c.text);
        EXPECT_EQ(store.Import(path.c_str()), c.messages.empty()) << c.name;
        messages.Expect(c.messages, MB_ICONSTOP | MB_OK, manager);
    }
    // A copy of a preset in the list, or imported before it, needs the user's yes; name, bank
    // and data compare ignoring case.
    WriteBytes(path, HeaderFor(OwnClassKey()) + SectionText(1, "3", "a", "", kData1) +
                         SectionText(2, "3", "Twin", "B", "x") + SectionText(3, "3", "twin", "b", "X") +
                         SectionText(4, "3", "Twin", "C", "x") + SectionText(5, "3", "Twin", "B", "y"));
    messages.answers = {IDYES, IDNO};
    EXPECT_TRUE(store.Import(path.c_str()));
    const auto question = [](const char* name) {
        return "The preset \"" + std::string(name) +
               "\" you are importing already exists in the qv:Reverb preset list.\n"
               "Do you want to add it anyway?";
    };
    messages.Expect({question("a"), question("twin")}, MB_ICONQUESTION | MB_YESNO, manager);
    EXPECT_EQ(NamesAndBanks(store), (std::vector<std::string>{"A|", "a|", "Twin|B", "Twin|C", "Twin|B"}));
    EXPECT_STREQ(store.PresetAt(4)->data, "y");
    EXPECT_EQ(store.IdAt(4), 3505);
    EXPECT_FALSE(store.Import(""));
    PresetStore unloaded(nullptr, nullptr, "qv:Reverb", &messages);
    EXPECT_FALSE(unloaded.Import(path.c_str())) << "without a class key of its own";
}

TEST_F(PresetFileTest, AFileThatCannotBeWrittenLosesNoPresetAndSaysNothing) {
    LoadText(HeaderFor(OwnClassKey()) + SectionText(1, "3", "One", "A", kData1));
    AddPreset(store, "Two", "", kData1);
    const HANDLE locked = CreateFileA(Path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, 0, nullptr);
    for (const std::string& target : {Path(), Path() + ".gone\\x.ini"}) {
        store.WriteAll(OwnClassKey().c_str(), target.c_str());
        EXPECT_EQ(NamesAndBanks(store), (std::vector<std::string>{"One|A", "Two|"}));
    }
    CloseHandle(locked);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(Reread(Path()), (std::vector<std::string>{"One|A"})) << "the lock held";
}

TEST_F(PresetFileTest, NamesComeBackAsTheyWereWritten) {
    const char* const names[] = {" leading", "trailing ", "\t tabs \t", "\"quoted\"", "'single'",
                                 "\"", "'x\"", "a = b", "[Preset1]", ";note"};
    for (const char* name : names) AddPreset(store, name, name, kData1);
    store.WriteAll(OwnClassKey().c_str(), Path().c_str());
    store.Sort();
    EXPECT_EQ(Reread(Path()), NamesAndBanks(store));
}

// Export also suggests a file name, without characters unfit for one.
TEST_F(PresetFileTest, WritingAndExportReplaceTheFirstSectionsOfAFileExactly) {
    const char odd[] = "a b*c?d<e>f|g/h\"i\\j";
    store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", Path().c_str());
    AddPreset(store, "Large", "Halls", "1");
    const Preset* room = AddPreset(store, "Small", "Rooms", "2");
    const Preset* hall = AddPreset(store, "Small", "HALLS", "3");
    Preset* loose = AddPreset(store, odd, "", "4");
    loose->version = -7;
    const std::string old34 = SectionText(3, "3", "Old3", "", "o") +
                              SectionText(4, "3", "Old4", "", "o") + "[Other]\r\nk=v\r\n";
    const std::string old = HeaderFor(PluginClassKey()) + "DefaultPreset=7\r\n" +
                            SectionText(1, "3", "Old1", "", "o") +
                            SectionText(2, "3", "Old2", "", "o") + old34;
    const std::string own = HeaderFor(OwnClassKey());
    struct Case {
        const char* suggested;
        PresetSelection selection;
        std::string before, expected;  // before: "" for no file
    };
    const Case cases[] = {
        {"qv_Reverb.ini", PresetSelection::All(), "",
         own + "DefaultPreset=1\r\n" + SectionText(1, "3", "Large", "Halls", "1") +
             SectionText(2, "3", "Small", "Rooms", "2") + SectionText(3, "3", "Small", "HALLS", "3") +
             SectionText(4, "-7", odd, "", "4")},
        {"HALLS.ini", PresetSelection::Bank(hall->id), old,
         own + "DefaultPreset=7\r\n" + SectionText(1, "3", "Large", "Halls", "1") +
             SectionText(2, "3", "Small", "HALLS", "3") + old34},
        {"Small.ini", PresetSelection::OnePreset(room->id), old,
         own + "DefaultPreset=7\r\n" + SectionText(1, "3", "Small", "Rooms", "2") +
             SectionText(2, "3", "Old2", "", "o") + old34},
        {"", PresetSelection::None(), old, old},
        {"", PresetSelection::Bank(9999), old, old},
    };
    const std::string path = folder.Path("exported.ini");
    for (const Case& c : cases) {
        EXPECT_EQ(store.SuggestedExportName(c.selection), c.suggested);
        DeleteFileA(path.c_str());
        if (!c.before.empty()) WriteBytes(path, c.before);
        store.ExportSelection(c.selection, store.ClassKey(), path.c_str());
        EXPECT_EQ(ReadBytes(path), c.expected) << c.suggested;
    }
    EXPECT_EQ(store.SuggestedExportName(PresetSelection::OnePreset(loose->id)), "a_b_c_d_e_f_g_h_i_j.ini");
}

// The preset library shipped beside the DLL loads as the filter's own file, and each preset
// is current, named, filed and in range.
TEST_F(PresetFileTest, TheFactoryLibraryLoadsWholeAndEveryPresetIsCurrentNamedAndInRange) {
    const std::string path = WindowsPath(FACTORY_PRESETS_FILE);
    store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", path.c_str());
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_GE(store.Count(), 24);
    const std::string text = ReadBytes(path);
    EXPECT_NE(text.find("DefaultPreset=1"), std::string::npos);
    // Every section was read: none lies beyond a gap.
    size_t sections = 0;
    for (size_t at = text.find("[Preset"); at != std::string::npos; at = text.find("[Preset", at + 1)) {
        ++sections;
    }
    EXPECT_EQ(static_cast<int>(sections), store.Count());

    std::set<std::string> namesInBanks;
    for (int i = 0; i < store.Count(); ++i) {
        const Preset& preset = *store.PresetAt(i);
        SCOPED_TRACE(preset.name);
        EXPECT_EQ(preset.version, 3);
        EXPECT_NE(preset.name[0], '\0');
        EXPECT_NE(preset.bank[0], '\0');
        std::string key = preset.bank + std::string("|") + preset.name;
        for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        EXPECT_TRUE(namesInBanks.insert(key).second) << "name used twice in its bank";

        int32_t values[kPresetTextValues];
        ASSERT_EQ(ParsePresetText(preset.data, values), kPresetTextValues);
        ReverbParams params = DefaultParams();
        for (int v = 0; v < kPresetTextValues; ++v) SetParam(params, kPresetTextOrder[v], values[v]);
        ReverbParams clamped = params;
        ClampParams(clamped);
        EXPECT_EQ(clamped, params) << "a value out of its range";
        // Nothing after the 18 values: the text is exactly what the editor writes.
        EXPECT_EQ(WritePresetText(params), preset.data);
    }
}

}  // namespace
