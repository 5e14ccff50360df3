// A preset's data text as the editor loads it: parsed, widened for version-1 presets and
// put field by field. The first byte picks the preset version. A full text written back
// from the loaded record must parse to the same record.
#include <string>

#include "FuzzCheck.h"
#include "ParameterControl.h"
#include "PresetText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int version = data[0] % 3;
    const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);  // read up to a NUL

    int32_t values[kPresetTextValues];
    const int count = ParsePresetText(text.c_str(), values);
    FUZZ_CHECK(count >= 0 && count <= kPresetTextValues);

    ParameterControl control;
    for (int i = 0; i < count; ++i)
        control.PutField(kPresetTextOrder[i], PresetTextValueForVersion(i, values[i], version));
    ReverbParams loaded;
    control.GetAllParams(loaded);
    FUZZ_CHECK(WithinRanges(loaded));

    const std::string written = WritePresetText(loaded);
    int32_t reread[kPresetTextValues];
    FUZZ_CHECK(ParsePresetText(written.c_str(), reread) == kPresetTextValues);
    for (int i = 0; i < kPresetTextValues; ++i)
        FUZZ_CHECK(reread[i] == GetParam(loaded, kPresetTextOrder[i]));
    return 0;
}
