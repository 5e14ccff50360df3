// The editor's typed values: any text parses to a bounded value, and every value a field
// shows reads back as that value (the "OFF" ends are shown only, never typed).
#include <string>

#include "FuzzCheck.h"
#include "ValueText.h"

namespace {

constexpr int kParseLimit = 100000000;

// Each rule, a field that shows its value by it, and the values whose shown text is also
// typed: tenths at or below -9999 show as "-Inf.", levels from -361.
const struct {
    FieldTextRule rule;
    int field;
    int lowest, highest;
} kRules[] = {
    {FieldTextRule::Level, kInputGain, -361, kParseLimit},
    {FieldTextRule::LowCut, kLowCut, 20, kParseLimit},
    {FieldTextRule::TenthsOrOff, kHighCut, -9998, 220},
    {FieldTextRule::Tenths, kDecayTime, -9998, kParseLimit},
    {FieldTextRule::Integer, kPreDelay, 0, kParseLimit},
};

bool Bounded(int value) { return value >= -kParseLimit && value <= kParseLimit; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const auto& rule = kRules[data[0] % (sizeof kRules / sizeof kRules[0])];
    const int32_t raw = FuzzLe32(data + 1);
    const std::string text(reinterpret_cast<const char*>(data) + 5, size - 5);  // read up to a NUL
    const auto typeable = [&rule](int value) { return value >= rule.lowest && value <= rule.highest; };
    const auto readBack = [&rule](int value) {
        return ParseFieldText(rule.rule, FormatFieldText(rule.rule, value).c_str());
    };

    for (int decimals = 0; decimals <= 3; ++decimals)
        FUZZ_CHECK(Bounded(ParseFixedPoint(text.c_str(), decimals)));
    const int digits = ParseLeadingDigits(text.c_str());
    FUZZ_CHECK(digits >= 0 && digits <= kParseLimit);

    // Typed text is bounded and, once shown, reads back as itself; so does any value whose
    // shown text is typed, and every value of the field's range comes back once clamped.
    const int typed = ParseFieldText(rule.rule, text.c_str());
    FUZZ_CHECK(Bounded(typed));
    if (typeable(typed)) FUZZ_CHECK(readBack(typed) == typed);
    if (typeable(raw)) FUZZ_CHECK(readBack(raw) == raw);
    const int32_t inRange = ClampParam(rule.field, raw);
    if (typeable(inRange) || inRange == GetParamInfo(rule.field).minimum)
        FUZZ_CHECK(ClampParam(rule.field, readBack(inRange)) == inRange);
    return 0;
}
