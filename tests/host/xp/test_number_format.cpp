#include "QtPrinters.h"
#include "xp/NumberFormat.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace XP;

namespace {

TEST(FormatDoubleNumber, roundsHalfUpOnTheDecimalValueAndAppliesTheFlags)
{
    const struct
    {
        double value;
        int decimals;
        int flags;
        const char *shown;
    } cases[] = {
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
    for (const auto &c : cases)
        EXPECT_EQ(formatDoubleNumber(c.value, c.decimals, c.flags), QString::fromUtf8(c.shown))
            << c.value << " to " << c.decimals;

    EXPECT_EQ(formatDoubleNumber(1234567.891, 2, NF_NONE, true), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(formatDoubleNumber(std::nan(""), 2, NF_NONE, false, QStringLiteral("--")),
              QStringLiteral("--"));
    EXPECT_EQ(
        formatDoubleNumber(-std::numeric_limits<double>::infinity(), 2, NF_NONE, false, QString()),
        QString());
}

TEST(FormatDoubleNumber, extremesKeepEveryDigit)
{
    EXPECT_EQ(formatDoubleNumber(1e300, 0), QStringLiteral("1") + QString(300, QLatin1Char('0')));
    const QString grouped = formatDoubleNumber(-1e300, 2, NF_THOUSANDS);
    EXPECT_EQ(grouped.size(), 1 + 301 + 100 + 3);
    EXPECT_TRUE(grouped.startsWith(QStringLiteral("-1,000,000,")));
    EXPECT_TRUE(grouped.endsWith(QStringLiteral("000,000.00")));
}

TEST(FormatIntNumber, widthSeparatorsAndExtremes)
{
    EXPECT_EQ(formatIntNumber(1234567, 0, NF_NONE), QStringLiteral("1234567"));
    EXPECT_EQ(formatIntNumber(-1234, 8, NF_THOUSANDS), QStringLiteral("  -1,234"));
    EXPECT_EQ(formatIntNumber(42, 5), QStringLiteral("   42"));
    EXPECT_EQ(formatIntNumber(5, 0, NF_PLUS_SIGN), QStringLiteral("+5"));
    EXPECT_EQ(formatIntNumber(0, 0, NF_PLUS_SIGN), QStringLiteral("0"));
    EXPECT_EQ(formatIntNumber(std::numeric_limits<long long>::min(), 0, NF_THOUSANDS),
              QStringLiteral("-9,223,372,036,854,775,808"));
    EXPECT_EQ(sToQs(std::string("\xe5\x9b\xbd\xe5\x80\xba 19")), QStringLiteral("国债 19"));
}

} // namespace
