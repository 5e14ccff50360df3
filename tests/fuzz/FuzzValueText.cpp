// The editor's typed values: any value a field shows, and any text typed into it, reads
// back as the value shown (the "OFF" ends are shown only, never typed). The first byte picks
// the rule, the next four the value, the rest is the typed text.
#include <string>

#include "FuzzCheck.h"
#include "ValueText.h"

namespace {

// Each rule, a field that shows its value by it, and the values whose shown text is also
// typed: tenths at or below -9999 show as "-Inf.", levels from -361.
const struct {
    FieldTextRule rule;
    int field;
    int lowest, highest;
} kRules[] = {
    {FieldTextRule::Level, kInputGain, -361, 100000000},
    {FieldTextRule::LowCut, kLowCut, 20, 100000000},
    {FieldTextRule::TenthsOrOff, kHighCut, -9998, 220},
    {FieldTextRule::Tenths, kDecayTime, -9998, 100000000},
    {FieldTextRule::Integer, kPreDelay, 0, 100000000},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const auto& rule = kRules[data[0] % (sizeof kRules / sizeof kRules[0])];
    const auto readBack = [&rule](int value) {
        return ParseFieldText(rule.rule, FormatFieldText(rule.rule, value).c_str());
    };
    const std::string text(reinterpret_cast<const char*>(data) + 5, size - 5);  // read up to a NUL
    for (const int value : {FuzzLe32(data + 1), ParseFieldText(rule.rule, text.c_str())})
        if (value >= rule.lowest && value <= rule.highest) FUZZ_CHECK(readBack(value) == value);
    // Every value of the field's range but a shown-only "OFF" at its top comes back once
    // clamped.
    const int32_t inRange = ClampParam(rule.field, FuzzLe32(data + 1));
    if (inRange <= rule.highest) FUZZ_CHECK(ClampParam(rule.field, readBack(inRange)) == inRange);
    return 0;
}
