#include <set>

#include "PresetTestSupport.h"
#include "PresetText.h"
#include "ReverbParams.h"

namespace {

using FactoryPresetsTest = PresetTest;

// The preset library shipped beside the DLL loads as the filter's own file, and each preset
// is current, named, filed and in range.
TEST_F(FactoryPresetsTest, LoadsWholeAndEveryPresetIsCurrentNamedAndInRange) {
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

    std::set<std::string> banks, namesInBanks;
    for (int i = 0; i < store.Count(); ++i) {
        const Preset& preset = *store.PresetAt(i);
        SCOPED_TRACE(preset.name);
        EXPECT_EQ(preset.version, 3);
        EXPECT_NE(preset.name[0], '\0');
        EXPECT_NE(preset.bank[0], '\0');
        std::string bank = preset.bank, key = bank + "|" + preset.name;
        for (char& c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        banks.insert(key.substr(0, bank.size()));
        EXPECT_TRUE(namesInBanks.insert(key).second) << "name used twice in its bank";

        int32_t values[kPresetTextValues];
        ASSERT_EQ(ParsePresetText(preset.data, values), kPresetTextValues);
        ReverbParams params = DefaultParams();
        for (int v = 0; v < kPresetTextValues; ++v) {
            const ParamInfo& info = GetParamInfo(kPresetTextOrder[v]);
            EXPECT_GE(values[v], info.minimum) << info.name;
            EXPECT_LE(values[v], info.maximum) << info.name;
            SetParam(params, kPresetTextOrder[v], values[v]);
        }
        // Nothing after the 18 values: the text is exactly what the editor writes.
        EXPECT_EQ(WritePresetText(params), preset.data);
    }
    EXPECT_GE(banks.size(), 5u);
}

}  // namespace
