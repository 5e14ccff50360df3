#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <string>

#include "PresetTestSupport.h"
#include "PresetText.h"
#include "ReverbParams.h"

namespace {

// The preset library shipped beside the DLL.
class FactoryPresetsTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = WindowsPath(FACTORY_PRESETS_FILE);
        store.Load(OwnClassKey().c_str(), "qvRuvodaR3.ini", path.c_str());
    }

    std::string path;
    ScriptedMessages messages;
    PresetStore store{nullptr, nullptr, "qv:Reverb", &messages};
};

TEST_F(FactoryPresetsTest, LoadsAsTheFiltersOwnFileWithoutGaps) {
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_GE(store.Count(), 24);
    // Every preset section in the file was read: none lies beyond a gap.
    const std::string text = ReadBytes(path);
    const std::regex section(R"(\[Preset(\d+)\])");
    std::set<int> numbers;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), section);
         it != std::sregex_iterator(); ++it) {
        numbers.insert(std::stoi((*it)[1]));
    }
    EXPECT_EQ(static_cast<int>(numbers.size()), store.Count());
    ASSERT_FALSE(numbers.empty());
    EXPECT_EQ(*numbers.rbegin(), store.Count());
    EXPECT_NE(text.find("DefaultPreset=1"), std::string::npos);
}

TEST_F(FactoryPresetsTest, EveryPresetIsCurrentNamedAndInRange) {
    std::set<std::string> banks;
    std::set<std::string> namesInBanks;
    for (int i = 0; i < store.Count(); ++i) {
        const Preset& preset = *store.PresetAt(i);
        SCOPED_TRACE(preset.name);
        EXPECT_EQ(preset.version, 3);
        EXPECT_NE(preset.name[0], '\0');
        EXPECT_NE(preset.bank[0], '\0');
        std::string bank = preset.bank, key = preset.bank + std::string("|") + preset.name;
        for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        for (char& c : bank) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        banks.insert(bank);
        EXPECT_TRUE(namesInBanks.insert(key).second) << "name used twice in its bank";

        int32_t values[kPresetTextValues];
        ASSERT_EQ(ParsePresetText(preset.data, values), kPresetTextValues);
        for (int v = 0; v < kPresetTextValues; ++v) {
            const ParamInfo& info = GetParamInfo(kPresetTextOrder[v]);
            EXPECT_GE(values[v], info.minimum) << info.name;
            EXPECT_LE(values[v], info.maximum) << info.name;
        }
        // Nothing after the 18 values: the text is exactly what the editor writes.
        ReverbParams params = DefaultParams();
        for (int v = 0; v < kPresetTextValues; ++v) SetParam(params, kPresetTextOrder[v], values[v]);
        EXPECT_EQ(WritePresetText(params), preset.data);
    }
    EXPECT_GE(banks.size(), 5u);
}

}  // namespace
