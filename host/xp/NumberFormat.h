#pragma once

#include <QString>
#include <string>

namespace XP {

// Flags of formatDoubleNumber and formatIntNumber.
enum ENumberFormatFlag {
    NF_NONE = 0,
    NF_THOUSANDS = 0x1, // "1,234,567"
    NF_PLUS_SIGN = 0x2, // "+12.50" for positive values
    NF_TRIM_ZEROS = 0x4, // "12.5" instead of "12.50", "12" instead of "12.00"
};

// The text shown for a number that has no valid value.
QString invalidNumberText();

// True for NaN, infinities and the unset marker (the largest double, either sign).
bool isInvalidNumber(double value);

// Formats `value` with `decimals` digits after the point, rounding half away
// from zero on the decimal number the double stands for (2.675 -> "2.68",
// 1.005 -> "1.01", -0.125 -> "-0.13"). `thousands` (or NF_THOUSANDS in
// `flags`) groups the integer digits. An invalid value (see isInvalidNumber)
// yields `invalidText`.
QString formatDoubleNumber(double value, int decimals, int flags = NF_NONE, bool thousands = false,
                           const QString &invalidText = invalidNumberText());

// Formats an integer, grouped in thousands when `flags` has NF_THOUSANDS,
// right-aligned in `width` characters when width > 0.
QString formatIntNumber(long long value, int width = 0, int flags = NF_NONE);

// The host's 8-bit strings are UTF-8.
QString sToQs(const std::string &text);

} // namespace XP
