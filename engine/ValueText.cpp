#include "ValueText.h"

#include <cmath>
#include <cstdio>

namespace {

constexpr int kLevelFloor = -361;
constexpr int kFilterOff = 221;
constexpr int kLowCutOff = 20;
// Far beyond every parameter's range, far below int overflow.
constexpr long long kParseLimit = 100000000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

long long Saturated(long long value) { return value > kParseLimit ? kParseLimit : value; }

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool EqualsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char x = *a, y = *b;
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return *a == *b;
}

}  // namespace

std::string FormatTenths(int value, int floor) {
    if (value <= floor) return "-Inf.";
    const unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    char text[32];
    std::snprintf(text, sizeof text, "%s%u.%u", value < 0 ? "-" : "", magnitude / 10, magnitude % 10);
    return text;
}

int ParseFixedPoint(const char* text, int decimals) {
    if (!text) return 0;
    while (IsSpace(*text)) ++text;
    const bool negative = *text == '-';
    if (negative) ++text;
    long long whole = 0;
    for (; IsDigit(*text); ++text) whole = Saturated(whole * 10 + (*text - '0'));
    for (int d = 0; d < decimals; ++d) whole = Saturated(whole * 10);
    long long fraction = 0;
    if (decimals >= 1 && *text == '.') {
        ++text;
        for (int d = 0; d < decimals; ++d) {
            fraction *= 10;
            if (IsDigit(*text)) fraction += *text++ - '0';
        }
    }
    const long long result = Saturated(whole + fraction);
    return static_cast<int>(negative ? -result : result);
}

int ParseLeadingDigits(const char* text) {
    long long value = 0;
    for (; text && IsDigit(*text); ++text) value = Saturated(value * 10 + (*text - '0'));
    return static_cast<int>(value);
}

std::string FormatFieldText(FieldTextRule rule, int value) {
    switch (rule) {
    case FieldTextRule::Level:
        return FormatTenths(value, kLevelFloor);
    case FieldTextRule::LowCut:
        return value < kLowCutOff ? "OFF" : std::to_string(value);
    case FieldTextRule::TenthsOrOff:
        return value >= kFilterOff ? "OFF" : FormatTenths(value);
    case FieldTextRule::Tenths:
        return FormatTenths(value);
    case FieldTextRule::Integer:
        break;
    }
    return std::to_string(value);
}

int ParseFieldText(FieldTextRule rule, const char* text) {
    switch (rule) {
    case FieldTextRule::Level:
        if (text && EqualsIgnoringCase(text, "-Inf.")) return kLevelFloor;
        return ParseFixedPoint(text, 1);
    case FieldTextRule::TenthsOrOff:
    case FieldTextRule::Tenths:
        return ParseFixedPoint(text, 1);
    case FieldTextRule::LowCut:
    case FieldTextRule::Integer:
        break;
    }
    return ParseLeadingDigits(text);
}

int LevelTenths(float level) {
    if (!(level > 0.0f) || !std::isfinite(level)) return -9999;
    const double tenths = 200.0 * std::log10(static_cast<double>(level));
    return static_cast<int>(std::trunc(tenths));
}

std::string LevelText(int tenths) {
    if (tenths < -999) return "-Inf";
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", tenths * 0.1);
    return text;
}
