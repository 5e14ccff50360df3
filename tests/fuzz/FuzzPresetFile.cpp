// The preset file as the store reads it and writes it back, over a profile file held in
// memory: sections, keys, values of every length, missing keys, duplicate sections and
// binary junk. Every preset read from the input must read back the same after the store
// has rewritten its list into the same file, and the header must name the class written.
#include <cstring>
#include <memory>
#include <vector>

#include "FuzzCheck.h"
#include "PresetSections.h"
#include "ProfileText.h"

namespace {
constexpr char kClassKey[] = "{8D2C31F0-5B7E-4A11-9E62-3C0F7A9D1B44}";

struct FreeRecord {
    void operator()(Preset* preset) const { FreePreset(preset); }
};
using PresetRecord = std::unique_ptr<Preset, FreeRecord>;

// The presets as the store keeps them after reading `file`.
std::vector<PresetRecord> ReadPresets(ProfileFile& file) {
    std::vector<PresetRecord> presets;
    auto section = std::make_unique<PresetSection>();
    for (int number = 1; ReadPresetSection(file, number, *section); ++number) {
        FUZZ_CHECK(std::strlen(section->name) < sizeof section->name);
        FUZZ_CHECK(std::strlen(section->data) < sizeof section->data);
        presets.emplace_back(
            NewPreset(section->version, section->name, section->bank, section->data, number));
        FUZZ_CHECK(presets.back() != nullptr);
    }
    return presets;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ProfileText file(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<PresetRecord> read = ReadPresets(file);

    FUZZ_CHECK(DeletePresetSections(file));
    FUZZ_CHECK(WritePresetHeader(file, "qv:Reverb", kClassKey, true));
    for (size_t i = 0; i < read.size(); ++i)
        FUZZ_CHECK(WritePresetSection(file, int(i) + 1, *read[i]));

    ProfileText written(file.Text());
    FUZZ_CHECK(ReadPresetClassKey(written) == kClassKey);
    const std::vector<PresetRecord> reread = ReadPresets(written);
    FUZZ_CHECK(reread.size() == read.size());
    for (size_t i = 0; i < read.size(); ++i) {
        FUZZ_CHECK(reread[i]->version == read[i]->version);
        FUZZ_CHECK(std::strcmp(reread[i]->name, read[i]->name) == 0);
        FUZZ_CHECK(std::strcmp(reread[i]->bank, read[i]->bank) == 0);
        FUZZ_CHECK(std::strcmp(reread[i]->data, read[i]->data) == 0);
    }
    return 0;
}
