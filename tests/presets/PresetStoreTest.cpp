#include <gtest/gtest.h>

#include "PresetTestSupport.h"

namespace {

class PresetStoreTest : public ::testing::Test {
protected:
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};

TEST_F(PresetStoreTest, TitleComesFromThePluginNameOrTheMakersDefault) {
    EXPECT_STREQ(store.Title(), "qv:Reverb Preset Manager");
    EXPECT_STREQ(store.PluginName(), "qv:Reverb");
    PresetStore anonymous(nullptr, nullptr, nullptr, &messages);
    EXPECT_STREQ(anonymous.Title(), "Quillorn Veltria:qv Preset Manager");
    EXPECT_STREQ(anonymous.PluginName(), "");
    EXPECT_EQ(anonymous.CurrentId(), -1);
    EXPECT_FALSE(anonymous.IsModified());
}

TEST_F(PresetStoreTest, IdsFollowTheLargestIdPresent) {
    EXPECT_EQ(store.LargestId(), 3500);
    for (int i = 0; i < 5; ++i) AddPreset(store, "p", "");
    for (int i = 0; i < 5; ++i) EXPECT_EQ(store.IdAt(i), 3501 + i);
    EXPECT_EQ(AddPreset(store, "six", "")->id, 3506);

    store.DeleteAt(store.IndexOfId(3506));
    EXPECT_EQ(AddPreset(store, "again", "")->id, 3506);

    store.DeleteAt(store.IndexOfId(3503));
    EXPECT_EQ(AddPreset(store, "after a gap", "")->id, 3507);
    EXPECT_EQ(store.FindById(3503), nullptr);
    EXPECT_STREQ(store.NameById(3507), "after a gap");
}

TEST_F(PresetStoreTest, IdsStepOverTheMenusCommandIdentifiers) {
    AddPreset(store, "p", "")->id = 4999;
    EXPECT_EQ(AddPreset(store, "q", "")->id, 5002);
    store.PresetAt(1)->id = 10499;
    EXPECT_EQ(store.NextId(), 10502);
    store.PresetAt(1)->id = 10502;
    EXPECT_EQ(store.NextId(), 10503);
}

TEST_F(PresetStoreTest, LookupsOutsideTheListFindNothing) {
    AddPreset(store, "only", "");
    EXPECT_EQ(store.IdAt(1), -1);
    EXPECT_EQ(store.IdAt(-1), -1);
    EXPECT_EQ(store.PresetAt(1), nullptr);
    EXPECT_EQ(store.FindById(-1), nullptr);
    EXPECT_EQ(store.NameById(3502), nullptr);
    EXPECT_EQ(store.IndexOfId(3502), -1);
}

TEST_F(PresetStoreTest, SortPutsBanksFirstCaseInsensitivelyAndNoBankLast) {
    AddPreset(store, "Zeta", "Alpha");
    AddPreset(store, "Beta", "");
    AddPreset(store, "alpha", "alpha");
    store.Sort();
    EXPECT_EQ(NamesAndBanks(store),
              (std::vector<std::string>{"alpha|alpha", "Zeta|Alpha", "Beta|"}));
}

TEST_F(PresetStoreTest, SortPutsEmptyNamesLastInTheirBankAndUnderscoreBeforeLetters) {
    AddPreset(store, "", "Halls");
    AddPreset(store, "b", "Halls");
    AddPreset(store, "_a", "Halls");
    AddPreset(store, "z", "_Bank");
    AddPreset(store, "", "");
    AddPreset(store, "Y", "");
    store.Sort();
    EXPECT_EQ(NamesAndBanks(store), (std::vector<std::string>{"z|_Bank", "_a|Halls", "b|Halls",
                                                              "|Halls", "Y|", "|"}));
}

TEST_F(PresetStoreTest, SortKeepsTheOrderOfEqualKeysAndNeedsSeveralPasses) {
    Preset* first = AddPreset(store, "Same", "Bank");
    AddPreset(store, "e", "");
    Preset* second = AddPreset(store, "SAME", "bank");
    AddPreset(store, "d", "");
    AddPreset(store, "c", "B");
    AddPreset(store, "a", "A");
    store.Sort();
    EXPECT_EQ(NamesAndBanks(store), (std::vector<std::string>{"a|A", "c|B", "Same|Bank",
                                                              "SAME|bank", "d|", "e|"}));
    EXPECT_EQ(store.PresetAt(2), first);
    EXPECT_EQ(store.PresetAt(3), second);
}

TEST_F(PresetStoreTest, ExistsComparesNameBankAndDataIgnoringCase) {
    AddPreset(store, "Vocal Plate", "Plates", "1,2,3");
    Preset probe{};
    probe.data = const_cast<char*>("1,2,3");
    std::snprintf(probe.name, sizeof probe.name, "VOCAL plate");
    std::snprintf(probe.bank, sizeof probe.bank, "plates");
    EXPECT_TRUE(store.Exists(probe));
    probe.data = const_cast<char*>("1,2,4");
    EXPECT_FALSE(store.Exists(probe));
    probe.data = const_cast<char*>("1,2,3");
    probe.bank[0] = '\0';
    EXPECT_FALSE(store.Exists(probe));
    std::snprintf(probe.bank, sizeof probe.bank, "Plates");
    std::snprintf(probe.name, sizeof probe.name, "Vocal Plate 2");
    EXPECT_FALSE(store.Exists(probe));
}

TEST_F(PresetStoreTest, BankInFirstLooksOnlyAtTheFirstN) {
    AddPreset(store, "a", "");
    AddPreset(store, "b", "Rooms");
    EXPECT_FALSE(store.BankInFirst(0, "Rooms"));
    EXPECT_FALSE(store.BankInFirst(1, "Rooms"));
    EXPECT_TRUE(store.BankInFirst(2, "ROOMS"));
    EXPECT_TRUE(store.BankInFirst(10, "rooms"));
    EXPECT_FALSE(store.BankInFirst(2, nullptr));
    EXPECT_FALSE(store.BankInFirst(2, "Halls"));
}

TEST_F(PresetStoreTest, BackupThenRestoreLeavesTheListRecordForRecord) {
    AddPreset(store, "One", "Rooms", "1");
    AddPreset(store, "Two", "", "2");
    store.PresetAt(1)->version = 1;
    std::vector<Preset*> before;
    for (int i = 0; i < store.Count(); ++i) before.push_back(store.PresetAt(i));

    ASSERT_TRUE(store.MakeBackup());
    ASSERT_EQ(store.Count(), 2);
    for (int i = 0; i < 2; ++i) {
        const Preset* copy = store.PresetAt(i);
        EXPECT_NE(copy, before[i]);
        EXPECT_NE(copy->data, before[i]->data);
        EXPECT_EQ(copy->id, before[i]->id);
        EXPECT_EQ(copy->version, before[i]->version);
        EXPECT_STREQ(copy->name, before[i]->name);
        EXPECT_STREQ(copy->bank, before[i]->bank);
        EXPECT_STREQ(copy->data, before[i]->data);
    }
    // Edits during the Manager's session touch only the copies.
    std::snprintf(store.PresetAt(0)->name, sizeof(Preset::name), "Renamed");
    store.DeleteAt(1);
    AddPreset(store, "Added", "");

    store.RestoreBackup();
    ASSERT_EQ(store.Count(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(store.PresetAt(i), before[i]);
    EXPECT_STREQ(store.PresetAt(0)->name, "One");
    EXPECT_EQ(store.IdAt(0), 3501);
    EXPECT_EQ(store.IdAt(1), 3502);
    EXPECT_EQ(store.PresetAt(1)->version, 1);

    // A second session starts from the restored records, not from the old copies.
    ASSERT_TRUE(store.MakeBackup());
    EXPECT_EQ(NamesAndBanks(store), (std::vector<std::string>{"One|Rooms", "Two|"}));
}

}  // namespace
