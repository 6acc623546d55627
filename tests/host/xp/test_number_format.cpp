#include "QtPrinters.h"
#include "xp/NumberFormat.h"

#include <cfloat>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace XP;

namespace {

TEST(FormatDoubleNumber, roundsHalfUpOnTheDecimalValue)
{
    EXPECT_EQ(formatDoubleNumber(0.125, 2), QStringLiteral("0.13"));
    EXPECT_EQ(formatDoubleNumber(2.675, 2), QStringLiteral("2.68"));
    EXPECT_EQ(formatDoubleNumber(1.005, 2), QStringLiteral("1.01"));
    EXPECT_EQ(formatDoubleNumber(1.0049, 2), QStringLiteral("1.00"));
    EXPECT_EQ(formatDoubleNumber(0.0005, 3), QStringLiteral("0.001"));
    EXPECT_EQ(formatDoubleNumber(9.995, 2), QStringLiteral("10.00"));
    EXPECT_EQ(formatDoubleNumber(999.5, 0), QStringLiteral("1000"));
    EXPECT_EQ(formatDoubleNumber(-2.675, 2), QStringLiteral("-2.68"));
    EXPECT_EQ(formatDoubleNumber(-0.001, 2), QStringLiteral("0.00")); // no "-0.00"
    EXPECT_EQ(formatDoubleNumber(0.1 + 0.2, 2), QStringLiteral("0.30"));
    EXPECT_EQ(formatDoubleNumber(123456789.125, 2), QStringLiteral("123456789.13"));
    EXPECT_EQ(formatDoubleNumber(5, 0), QStringLiteral("5"));
    EXPECT_EQ(formatDoubleNumber(1e-20, 2), QStringLiteral("0.00"));
}

TEST(FormatDoubleNumber, invalidValuesShowTheInvalidText)
{
    EXPECT_EQ(formatDoubleNumber(DBL_MAX, 2), QStringLiteral("非法值"));
    EXPECT_EQ(formatDoubleNumber(-DBL_MAX, 2), QStringLiteral("非法值"));
    EXPECT_EQ(formatDoubleNumber(std::nan(""), 2, NF_NONE, false, QStringLiteral("非法值")),
              QStringLiteral("非法值"));
    EXPECT_EQ(formatDoubleNumber(std::numeric_limits<double>::infinity(), 2, NF_NONE, false,
                                 QStringLiteral("--")),
              QStringLiteral("--"));
    EXPECT_EQ(formatDoubleNumber(DBL_MAX, 2, NF_NONE, false, QString()), QString());
}

TEST(FormatDoubleNumber, flagsGroupSignAndTrim)
{
    EXPECT_EQ(formatDoubleNumber(1234567.891, 2, NF_NONE, true), QStringLiteral("1,234,567.89"));
    EXPECT_EQ(formatDoubleNumber(-1234.5, 1, NF_THOUSANDS), QStringLiteral("-1,234.5"));
    EXPECT_EQ(formatDoubleNumber(999.999, 2, NF_THOUSANDS), QStringLiteral("1,000.00"));
    EXPECT_EQ(formatDoubleNumber(12.5, 2, NF_PLUS_SIGN), QStringLiteral("+12.50"));
    EXPECT_EQ(formatDoubleNumber(0.0, 2, NF_PLUS_SIGN), QStringLiteral("0.00"));
    EXPECT_EQ(formatDoubleNumber(12.50, 3, NF_TRIM_ZEROS), QStringLiteral("12.5"));
    EXPECT_EQ(formatDoubleNumber(12.0, 2, NF_TRIM_ZEROS), QStringLiteral("12"));
}

TEST(FormatDoubleNumber, extremesKeepEveryDigitAndCarry)
{
    EXPECT_EQ(formatDoubleNumber(1e300, 0), QStringLiteral("1") + QString(300, QLatin1Char('0')));
    const QString grouped = formatDoubleNumber(-1e300, 2, NF_THOUSANDS);
    EXPECT_EQ(grouped.size(), 1 + 301 + 100 + 3);
    EXPECT_TRUE(grouped.startsWith(QStringLiteral("-1,000,000,")));
    EXPECT_TRUE(grouped.endsWith(QStringLiteral("000,000.00")));
    EXPECT_EQ(formatDoubleNumber(4.9e-324, 15), QStringLiteral("0.000000000000000"));
    EXPECT_EQ(formatDoubleNumber(1.5e-15, 15), QStringLiteral("0.000000000000002"));
    EXPECT_EQ(formatDoubleNumber(123456.0000000001, 15, NF_TRIM_ZEROS), QStringLiteral("123456"));
    EXPECT_EQ(formatDoubleNumber(-999.995, 2, NF_THOUSANDS), QStringLiteral("-1,000.00"));
    EXPECT_EQ(formatDoubleNumber(99999.95, 1, NF_THOUSANDS | NF_PLUS_SIGN),
              QStringLiteral("+100,000.0"));
    EXPECT_EQ(formatDoubleNumber(0.5, 0), QStringLiteral("1"));
    EXPECT_EQ(formatDoubleNumber(0.05, 1, NF_TRIM_ZEROS), QStringLiteral("0.1"));
    EXPECT_EQ(formatDoubleNumber(-0.04, 1, NF_TRIM_ZEROS), QStringLiteral("0"));
    EXPECT_EQ(formatDoubleNumber(100, 2, NF_TRIM_ZEROS | NF_THOUSANDS), QStringLiteral("100"));
    EXPECT_EQ(formatDoubleNumber(1000, 0, NF_THOUSANDS), QStringLiteral("1,000"));
}

TEST(FormatIntNumber, widthSeparatorsAndExtremes)
{
    EXPECT_EQ(formatIntNumber(1234567, 0, NF_NONE), QStringLiteral("1234567"));
    EXPECT_EQ(formatIntNumber(1234567, 0, NF_THOUSANDS), QStringLiteral("1,234,567"));
    EXPECT_EQ(formatIntNumber(-1234, 8, NF_THOUSANDS), QStringLiteral("  -1,234"));
    EXPECT_EQ(formatIntNumber(42, 5), QStringLiteral("   42"));
    EXPECT_EQ(formatIntNumber(std::numeric_limits<long long>::min(), 0, NF_THOUSANDS),
              QStringLiteral("-9,223,372,036,854,775,808"));
}

TEST(SToQs, readsUtf8)
{
    EXPECT_EQ(sToQs(std::string("\xe5\x9b\xbd\xe5\x80\xba 19")), QStringLiteral("国债 19"));
    EXPECT_EQ(sToQs(std::string()), QString());
}

} // namespace
