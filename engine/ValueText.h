#pragma once
// The text forms of parameter values in the editor's numeric fields and of the meters'
// level readouts: integers in fixed units to single-byte text and back.
#include <string>

// Tenths with one decimal, truncated ("-0.5", "22.1"); "-Inf." at or below `floor`.
std::string FormatTenths(int value, int floor = -9999);

// A decimal text scaled by 10^decimals; the fraction beyond `decimals` digits is dropped,
// text without digits gives 0, a leading "+" stops the parse. Saturates instead of
// overflowing on absurdly long digit runs.
int ParseFixedPoint(const char* text, int decimals);

// The leading decimal digits of `text` ("250ms" gives 250; "-5" and "OFF" give 0).
int ParseLeadingDigits(const char* text);

// How a numeric field shows its parameter; the typed text is read back by the matching rule.
enum class FieldTextRule {
    Level,        // tenths of a dB with "-Inf." at the bottom (-361); "-Inf." may be typed
    LowCut,       // "OFF" below 20 Hz, else whole Hz
    TenthsOrOff,  // tenths with "OFF" at 221 and above (High Cut, High Damping)
    Tenths,       // tenths (Bass Multiplier, Decay Time)
    Integer,      // whole units
};

std::string FormatFieldText(FieldTextRule rule, int value);
int ParseFieldText(FieldTextRule rule, const char* text);

// A peak level (1.0 = full scale) in tenths of a dB, truncated toward zero; -9999 for
// silence (and for anything that is not a positive finite level).
int LevelTenths(float level);

// One value of a level readout: "-Inf" below -99.9 dB, else the dB with one decimal.
std::string LevelText(int tenths);
