#include <gtest/gtest.h>

#include <tuple>

#include "PresetTestSupport.h"

namespace {

class PresetStoreTest : public ::testing::Test {
protected:
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};

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

    // Ids step over the menus' command identifiers.
    store.PresetAt(0)->id = 4999;
    EXPECT_EQ(store.NextId(), 5002);
    store.PresetAt(0)->id = 10499;
    EXPECT_EQ(store.NextId(), 10502);
    store.PresetAt(0)->id = 10502;
    EXPECT_EQ(store.NextId(), 10503);

    // Lookups outside the list find nothing.
    EXPECT_EQ(store.IdAt(store.Count()), -1);
    EXPECT_EQ(store.IdAt(-1), -1);
    EXPECT_EQ(store.PresetAt(store.Count()), nullptr);
    EXPECT_EQ(store.FindById(-1), nullptr);
    EXPECT_EQ(store.NameById(3503), nullptr);
    EXPECT_EQ(store.IndexOfId(3503), -1);
}

TEST_F(PresetStoreTest, SortOrdersByBankThenNameKeepingEqualKeysInPlace) {
    // "name|bank" added in this order, then the expected order. No bank sorts last, an empty
    // name last in its bank, "_" before letters, case is ignored; several passes are needed.
    struct Case {
        std::vector<std::string> added, sorted;
    };
    const Case cases[] = {
        {{"Zeta|Alpha", "Beta|", "alpha|alpha"}, {"alpha|alpha", "Zeta|Alpha", "Beta|"}},
        {{"|Halls", "b|Halls", "_a|Halls", "z|_Bank", "|", "Y|"}, {"z|_Bank", "_a|Halls", "b|Halls", "|Halls", "Y|", "|"}},
        {{"Same|Bank", "e|", "SAME|bank", "d|", "c|B", "a|A"}, {"a|A", "c|B", "Same|Bank", "SAME|bank", "d|", "e|"}},
    };
    for (const Case& c : cases) {
        PresetStore sorted(nullptr, nullptr, "qv:Reverb", &messages);
        for (const std::string& entry : c.added) {
            const size_t bar = entry.find('|');
            AddPreset(sorted, entry.substr(0, bar).c_str(), entry.substr(bar + 1).c_str());
        }
        sorted.Sort();
        EXPECT_EQ(NamesAndBanks(sorted), c.sorted) << c.added.front();
    }
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

    // BankInFirst looks only at the first n.
    AddPreset(store, "a", "");
    EXPECT_FALSE(store.BankInFirst(0, "Plates"));
    EXPECT_FALSE(store.BankInFirst(1, "Rooms"));
    EXPECT_TRUE(store.BankInFirst(1, "PLATES"));
    EXPECT_TRUE(store.BankInFirst(10, "plates"));
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
        EXPECT_EQ(std::tie(copy->id, copy->version), std::tie(before[i]->id, before[i]->version));
        EXPECT_EQ(std::string(copy->name) + "|" + copy->bank + "|" + copy->data,
                  std::string(before[i]->name) + "|" + before[i]->bank + "|" + before[i]->data);
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
