// Field texts and level readouts: what the editor shows and how typed text is read back.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

#include "ValueText.h"

namespace {

struct Shown {
    FieldTextRule rule;
    int value;
    const char* text;
};

TEST(ValueText, FieldTextsAtTheEndsOfTheirRanges) {
    const Shown cases[] = {
        {FieldTextRule::Level, -361, "-Inf."},     {FieldTextRule::Level, -360, "-36.0"},
        {FieldTextRule::Level, -5, "-0.5"},        {FieldTextRule::Level, 0, "0.0"},
        {FieldTextRule::Level, 60, "6.0"},         {FieldTextRule::LowCut, 19, "OFF"},
        {FieldTextRule::LowCut, 20, "20"},         {FieldTextRule::LowCut, 3000, "3000"},
        {FieldTextRule::TenthsOrOff, 5, "0.5"},    {FieldTextRule::TenthsOrOff, 220, "22.0"},
        {FieldTextRule::TenthsOrOff, 221, "OFF"},  {FieldTextRule::Tenths, 221, "22.1"},
        {FieldTextRule::Tenths, 15, "1.5"},        {FieldTextRule::Integer, 250, "250"},
        {FieldTextRule::Integer, -7, "-7"},
    };
    for (const Shown& c : cases) EXPECT_EQ(FormatFieldText(c.rule, c.value), c.text) << c.value;
    // Without a floor only values no clamped parameter reaches read "-Inf.".
    EXPECT_EQ(FormatTenths(-9998), "-999.8");
    EXPECT_EQ(FormatTenths(-9999), "-Inf.");
    EXPECT_EQ(FormatTenths(-2147483647 - 1, -2147483647 - 1), "-Inf.");
    EXPECT_EQ(FormatTenths(-2147483647, -2147483647 - 1), "-214748364.7");
}

struct Typed {
    FieldTextRule rule;
    const char* text;
    int value;
};

TEST(ValueText, TypedTextsAreReadByTheFieldsRule) {
    const Typed cases[] = {
        {FieldTextRule::Level, "-INF.", -361},      {FieldTextRule::Level, "-inf.", -361},
        {FieldTextRule::Level, "-Inf", 0},          {FieldTextRule::Level, "-36.15", -361},
        {FieldTextRule::Level, "-0.5", -5},         {FieldTextRule::Level, " 7", 70},
        {FieldTextRule::TenthsOrOff, "12.34", 123}, {FieldTextRule::TenthsOrOff, "30", 300},
        {FieldTextRule::TenthsOrOff, "OFF", 0},     {FieldTextRule::Tenths, "1.5", 15},
        {FieldTextRule::Tenths, "1,5", 10},         {FieldTextRule::Tenths, "12.", 120},
        {FieldTextRule::Tenths, ".5", 5},           {FieldTextRule::Tenths, "+3", 0},
        {FieldTextRule::Tenths, "abc", 0},          {FieldTextRule::Tenths, "1.x5", 10},
        {FieldTextRule::LowCut, "5000", 5000},      {FieldTextRule::LowCut, "OFF", 0},
        {FieldTextRule::Integer, "250ms", 250},     {FieldTextRule::Integer, "-5", 0},
        {FieldTextRule::Integer, " 5", 0},          {FieldTextRule::Integer, "", 0},
    };
    for (const Typed& c : cases) EXPECT_EQ(ParseFieldText(c.rule, c.text), c.value) << c.text;
    EXPECT_EQ(ParseFixedPoint("1.234", 2), 123);
    EXPECT_EQ(ParseFixedPoint("1.5", 0), 1);
}

TEST(ValueText, EndlessDigitsSaturateInsteadOfOverflowing) {
    const std::string digits(400, '9');
    EXPECT_EQ(ParseLeadingDigits(digits.c_str()), 100000000);
    EXPECT_EQ(ParseFixedPoint(("-" + digits).c_str(), 1), -100000000);
    EXPECT_EQ(ParseFixedPoint(("0." + digits).c_str(), 1), 9);
    EXPECT_EQ(ParseFixedPoint(nullptr, 1), 0);
}

TEST(ValueText, LevelsInTenthsOfADecibel) {
    const std::pair<float, int> tenths[] = {{1.0f, 0}, {0.5f, -60}, {2.0f, 60}, {0.25f, -120}, {0.0f, -9999},
                                            {-0.5f, -9999}, {NAN, -9999}, {INFINITY, -9999}};
    for (auto [level, value] : tenths) EXPECT_EQ(LevelTenths(level), value) << level;  // -6.02 dB truncates
    EXPECT_LT(LevelTenths(FLT_MAX), 8000);
    for (auto [value, text] : {std::pair{-1000, "-Inf"}, {-999, "-99.9"}, {-60, "-6.0"}, {3, "0.3"}})
        EXPECT_EQ(LevelText(value), text);
}

}  // namespace
