#include "PresetTestSupport.h"

namespace {

using PresetStoreTest = PresetTest;

TEST_F(PresetStoreTest, IdsFollowTheLargestIdAndStepOverTheMenuCommands) {
    for (int i = 0; i < 3; ++i) AddPreset(store, "p", "");
    EXPECT_EQ(store.IdAt(2), 3503);
    store.DeleteAt(store.IndexOfId(3503));
    EXPECT_EQ(AddPreset(store, "again", "")->id, 3503);
    store.DeleteAt(store.IndexOfId(3502));
    EXPECT_EQ(AddPreset(store, "after a gap", "")->id, 3504);
    EXPECT_STREQ(store.NameById(3504), "after a gap");

    // Lookups outside the list find nothing.
    EXPECT_EQ(store.IdAt(store.Count()), -1);
    EXPECT_EQ(store.IdAt(-1), -1);
    EXPECT_EQ(store.NameById(3502), nullptr);
    EXPECT_EQ(store.IndexOfId(3502), -1);

    // A preset id must never be taken for one of the menus' own commands.
    const int32_t largestAndNext[][2] = {{4999, 5002}, {10499, 10502}, {10502, 10503}};
    for (const auto& ids : largestAndNext) {
        store.PresetAt(0)->id = ids[0];
        EXPECT_EQ(store.NextId(), ids[1]) << ids[0];
    }
}

TEST_F(PresetStoreTest, SortOrdersByBankThenNameKeepingEqualKeysInPlace) {
    // "name|bank" added in this order, then the expected order. No bank sorts last, an empty
    // name last in its bank, "_" before letters, case is ignored; several passes are needed.
    struct Case {
        std::vector<std::string> added, sorted;
    };
    const Case cases[] = {
        {{"Zeta|Alpha", "Beta|", "alpha|alpha"}, {"alpha|alpha", "Zeta|Alpha", "Beta|"}},
        {{"|Halls", "b|Halls", "_a|Halls", "z|_Bank", "|", "Y|"},
         {"z|_Bank", "_a|Halls", "b|Halls", "|Halls", "Y|", "|"}},
        {{"Same|Bank", "e|", "SAME|bank", "d|", "c|B", "a|A"},
         {"a|A", "c|B", "Same|Bank", "SAME|bank", "d|", "e|"}},
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

// Answers file dialogs with `result` and records where each starts ("-": anywhere).
class ScriptedFileDialogs : public FileDialogs {
public:
    Result Show(const Request& request, std::string&) override {
        asked.push_back(std::string(request.save ? "save " : "open ") +
                        (request.initialDirectory != nullptr ? request.initialDirectory : "-"));
        return result;
    }

    Result result = kCancelled;
    std::vector<std::string> asked;
};

TEST_F(PresetStoreTest, FileDialogsStartInThePresetFolderUntilConfirmedOnceAndFailuresShow) {
    ScriptedFileDialogs dialogs;
    PresetStore withDialogs(nullptr, nullptr, "qv:Reverb", &messages, &dialogs);
    const HWND manager = reinterpret_cast<HWND>(static_cast<uintptr_t>(0x4321));
    withDialogs.SetManagerWindow(manager);
    withDialogs.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", "C:\\Presets\\Mine\\qvRuvodaR3.ini");
    struct Case {
        bool save;
        FileDialogs::Result result;
        const char* asked;
    };
    const Case cases[] = {
        {false, FileDialogs::kCancelled, "open C:\\Presets\\Mine\\"},
        {true, FileDialogs::kFailed, "save C:\\Presets\\Mine\\"},
        {false, FileDialogs::kChosen, "open C:\\Presets\\Mine\\"},
        {false, FileDialogs::kChosen, "open -"},
        {true, FileDialogs::kChosen, "save C:\\Presets\\Mine\\"},
        {true, FileDialogs::kCancelled, "save -"},
    };
    for (const Case& c : cases) {
        dialogs.result = c.result;
        std::string path = "x.ini";
        EXPECT_EQ(withDialogs.ChoosePresetFile(c.save, "Export preset", path),
                  c.result == FileDialogs::kChosen) << c.asked;
        EXPECT_EQ(dialogs.asked.back(), c.asked);
    }
    messages.Expect({"Unable to open file dialog."}, MB_ICONSTOP | MB_OK, manager);
}

}  // namespace
