#include "QtPrinters.h"

#include "xp/CDoubleValidator.h"
#include "xp/CIntValidator.h"
#include "xp/NumberFormat.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <gtest/gtest.h>

using namespace XP;

namespace {

TEST(FormatDoubleNumber, roundsHalfUpOnTheDecimalValueAndAppliesTheFlags)
{
    const std::tuple<double, int, int, const char *> cases[] = {
        { 0.125, 2, NF_NONE, "0.13" },
        { 2.675, 2, NF_NONE, "2.68" },
        { 1.005, 2, NF_NONE, "1.01" },
        { 1.0049, 2, NF_NONE, "1.00" },
        { 0.0005, 3, NF_NONE, "0.001" },
        { 9.995, 2, NF_NONE, "10.00" },
        { 999.5, 0, NF_NONE, "1000" },
        { 0.5, 0, NF_NONE, "1" },
        { -2.675, 2, NF_NONE, "-2.68" },
        { -0.001, 2, NF_NONE, "0.00" }, // no "-0.00"
        { 0.1 + 0.2, 2, NF_NONE, "0.30" },
        { 123456789.125, 2, NF_NONE, "123456789.13" },
        { 1e-20, 2, NF_NONE, "0.00" },
        { 4.9e-324, 15, NF_NONE, "0.000000000000000" },
        { 1.5e-15, 15, NF_NONE, "0.000000000000002" },
        { -1234.5, 1, NF_THOUSANDS, "-1,234.5" },
        { 999.999, 2, NF_THOUSANDS, "1,000.00" },
        { -999.995, 2, NF_THOUSANDS, "-1,000.00" },
        { 1000, 0, NF_THOUSANDS, "1,000" },
        { 12.5, 2, NF_PLUS_SIGN, "+12.50" },
        { 0.0, 2, NF_PLUS_SIGN, "0.00" },
        { 99999.95, 1, NF_THOUSANDS | NF_PLUS_SIGN, "+100,000.0" },
        { 12.50, 3, NF_TRIM_ZEROS, "12.5" },
        { 12.0, 2, NF_TRIM_ZEROS, "12" },
        { 0.05, 1, NF_TRIM_ZEROS, "0.1" },
        { -0.04, 1, NF_TRIM_ZEROS, "0" },
        { 123456.0000000001, 15, NF_TRIM_ZEROS, "123456" },
        { 100, 2, NF_TRIM_ZEROS | NF_THOUSANDS, "100" },
        { DBL_MAX, 2, NF_NONE, "非法值" },
        { -DBL_MAX, 2, NF_NONE, "非法值" },
    };
    for (const auto &[value, decimals, flags, shown] : cases)
        EXPECT_EQ(formatDoubleNumber(value, decimals, flags), QString::fromUtf8(shown))
            << value << " to " << decimals;

    EXPECT_EQ(formatDoubleNumber(1234567.891, 2, NF_NONE, true), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(formatDoubleNumber(std::nan(""), 2, NF_NONE, false, "--"), "--");
    EXPECT_EQ(formatDoubleNumber(-INFINITY, 2, NF_NONE, false, QString()), QString());
}

TEST(FormatIntNumber, widthSeparatorsAndExtremes)
{
    EXPECT_EQ(formatIntNumber(1234567, 0, NF_NONE), QStringLiteral("1234567"));
    EXPECT_EQ(formatIntNumber(-1234, 8, NF_THOUSANDS), QStringLiteral("  -1,234"));
    EXPECT_EQ(formatIntNumber(42, 5), QStringLiteral("   42"));
    EXPECT_EQ(formatIntNumber(5, 0, NF_PLUS_SIGN), QStringLiteral("+5"));
    EXPECT_EQ(formatIntNumber(0, 0, NF_PLUS_SIGN), QStringLiteral("0"));
    EXPECT_EQ(formatIntNumber(LLONG_MIN, 0, NF_THOUSANDS), "-9,223,372,036,854,775,808");
    EXPECT_EQ(sToQs(std::string("\xe5\x9b\xbd\xe5\x80\xba 19")), QStringLiteral("国债 19"));
}

void expectState(const QValidator &v, QValidator::State state, std::initializer_list<QString> texts)
{
    for (const QString &text : texts) {
        QString copy = text;
        int pos = copy.size();
        EXPECT_EQ(v.validate(copy, pos), state) << '"' << text.left(40).toStdString() << '"';
    }
}

TEST(IntValidator, rejectsGarbageOutOfRangeAndTooManyDigits)
{
    CIntValidator v(10, 2147483647);
    v.setMaxDigits(10);
    expectState(v, QValidator::Acceptable, { "100", "2147483647" });
    // Full-width digits are no digits.
    expectState(v, QValidator::Invalid,
                { "2147483648", "99999999999999999999", "12a", "1.5", "1,000", "-5", "-", "１２" });
    expectState(v, QValidator::Intermediate, { "1", "" }); // "1" may still become 10

    CIntValidator signedRange(-100, 100);
    expectState(signedRange, QValidator::Intermediate, { "-" });
    expectState(signedRange, QValidator::Acceptable, { "-100" });
    expectState(signedRange, QValidator::Invalid, { "-101", "101" });
    signedRange.setMaxDigits(2);
    expectState(signedRange, QValidator::Invalid, { "100" });
    QString text = "150";
    signedRange.fixup(text);
    EXPECT_EQ(text, QStringLiteral("100"));
}

TEST(DoubleValidator, rejectsGarbageOutOfRangeAndPartTicks)
{
    const CDoubleValidator v(0.001, 99.999, 3);
    expectState(v, QValidator::Acceptable, { "2.5", "99.999" });
    expectState(v, QValidator::Invalid, { "100", "1.2.3", "1..2", "abc", "1e2", "-1", "1.2345" });
    expectState(v, QValidator::Intermediate, { "0", "0.000", ".", "" });

    const CDoubleValidator huge(0, DBL_MAX, 2);
    expectState(huge, QValidator::Acceptable, { "123456789012.34" });
    expectState(huge, QValidator::Invalid, { QString(400, QLatin1Char('9')) }); // beyond any double
    const CDoubleValidator whole(0, 365, 0);
    expectState(whole, QValidator::Acceptable, { "7" });
    expectState(whole, QValidator::Invalid, { "7." });
    const CDoubleValidator negative(-10, 10, 1);
    expectState(negative, QValidator::Acceptable, { "-9.5" });
    expectState(negative, QValidator::Invalid, { "-10.5" });

    CDoubleValidator ticks(0, 100, 3);
    ticks.setMinStep(0.005);
    expectState(ticks, QValidator::Acceptable, { "1.005" });
    expectState(ticks, QValidator::Intermediate, { "1.004" });
    QString text = "1.004";
    ticks.fixup(text);
    EXPECT_EQ(text, QStringLiteral("1.005"));
}

} // namespace
