// The editor's typed values: any text parses to a bounded value, and every value a field
// shows reads back as that value (the "OFF" ends are shown only, never typed).
#include "FuzzCheck.h"
#include "ValueText.h"

namespace {

constexpr int kParseLimit = 100000000;
// Tenths at or below this show as "-Inf.".
constexpr int kTenthsFloor = -9999;

struct RuleCase {
    FieldTextRule rule;
    int field;  // a field that shows its value by this rule
};

const RuleCase kRules[] = {
    {FieldTextRule::Level, kInputGain},     {FieldTextRule::LowCut, kLowCut},
    {FieldTextRule::TenthsOrOff, kHighCut}, {FieldTextRule::Tenths, kDecayTime},
    {FieldTextRule::Integer, kPreDelay},
};

bool Bounded(int value) { return value >= -kParseLimit && value <= kParseLimit; }

// Whether `value`, as the field shows it, is a text that is also typed.
bool ShownAsTyped(FieldTextRule rule, int value) {
    switch (rule) {
    case FieldTextRule::LowCut: return value >= 20 && value <= kParseLimit;
    case FieldTextRule::TenthsOrOff: return value > kTenthsFloor && value < 221;
    case FieldTextRule::Tenths: return value > kTenthsFloor && value <= kParseLimit;
    case FieldTextRule::Level: return value >= -361 && value <= kParseLimit;
    case FieldTextRule::Integer: break;
    }
    return value >= 0 && value <= kParseLimit;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 5) return 0;
    const RuleCase& rule = kRules[data[0] % (sizeof kRules / sizeof kRules[0])];
    const int32_t raw = FuzzLe32(data + 1);
    const std::string text = FuzzText(data + 5, size - 5);

    for (int decimals = 0; decimals <= 3; ++decimals)
        FUZZ_CHECK(Bounded(ParseFixedPoint(text.c_str(), decimals)));
    const int digits = ParseLeadingDigits(text.c_str());
    FUZZ_CHECK(digits >= 0 && digits <= kParseLimit);

    // Typed text: bounded, and once shown it reads back as itself.
    const int typed = ParseFieldText(rule.rule, text.c_str());
    FUZZ_CHECK(Bounded(typed));
    if (ShownAsTyped(rule.rule, typed))
        FUZZ_CHECK(ParseFieldText(rule.rule, FormatFieldText(rule.rule, typed).c_str()) == typed);

    // Any value, shown: reads back exactly where the shown text is typeable, and every value
    // of the field's range comes back as itself once clamped.
    if (ShownAsTyped(rule.rule, raw))
        FUZZ_CHECK(ParseFieldText(rule.rule, FormatFieldText(rule.rule, raw).c_str()) == raw);
    const ParamInfo& info = GetParamInfo(rule.field);
    const int32_t inRange = ClampParam(rule.field, raw);
    const int back = ParseFieldText(rule.rule, FormatFieldText(rule.rule, inRange).c_str());
    if (ShownAsTyped(rule.rule, inRange) || inRange == info.minimum)
        FUZZ_CHECK(ClampParam(rule.field, back) == inRange);
    return 0;
}
