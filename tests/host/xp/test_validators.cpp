#include "QtPrinters.h"
#include "xp/CDoubleValidator.h"
#include "xp/CIntValidator.h"

#include <cfloat>
#include <gtest/gtest.h>

using namespace XP;

namespace {

QValidator::State check(const QValidator &v, const QString &text)
{
    QString copy = text;
    int pos = copy.size();
    return v.validate(copy, pos);
}

TEST(IntValidator, rejectsGarbageAndOutOfRange)
{
    CIntValidator v(10, 2147483647);
    v.setMaxDigits(10);
    EXPECT_EQ(check(v, "100"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "2147483647"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "2147483648"), QValidator::Invalid);
    EXPECT_EQ(check(v, "99999999999999999999"), QValidator::Invalid);
    EXPECT_EQ(check(v, "12a"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1.5"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1,000"), QValidator::Invalid);
    EXPECT_EQ(check(v, "-5"), QValidator::Invalid);
    EXPECT_EQ(check(v, "-"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1"), QValidator::Intermediate); // may still become 10
    EXPECT_EQ(check(v, ""), QValidator::Intermediate);
    EXPECT_EQ(check(v, "１２"), QValidator::Invalid); // full-width digits
}

TEST(IntValidator, negativeRangesAndDigitLimit)
{
    CIntValidator v(-100, 100);
    EXPECT_EQ(check(v, "-"), QValidator::Intermediate);
    EXPECT_EQ(check(v, "-100"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "-101"), QValidator::Invalid);
    EXPECT_EQ(check(v, "101"), QValidator::Invalid);
    v.setMaxDigits(2);
    EXPECT_EQ(check(v, "100"), QValidator::Invalid);
    QString text = "150";
    v.fixup(text);
    EXPECT_EQ(text, QStringLiteral("100"));
}

TEST(DoubleValidator, rejectsGarbageAndOutOfRange)
{
    CDoubleValidator v(0.001, 99.999, 3);
    EXPECT_EQ(check(v, "2.5"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "99.999"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "100"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1.2.3"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1..2"), QValidator::Invalid);
    EXPECT_EQ(check(v, "abc"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1e2"), QValidator::Invalid);
    EXPECT_EQ(check(v, "-1"), QValidator::Invalid);
    EXPECT_EQ(check(v, "1.2345"), QValidator::Invalid);
    EXPECT_EQ(check(v, "0"), QValidator::Intermediate);
    EXPECT_EQ(check(v, "0.000"), QValidator::Intermediate);
    EXPECT_EQ(check(v, "."), QValidator::Intermediate);
    EXPECT_EQ(check(v, ""), QValidator::Intermediate);
}

TEST(DoubleValidator, largestDoubleTopAndHugeInput)
{
    CDoubleValidator v(0, DBL_MAX, 2);
    EXPECT_EQ(check(v, "123456789012.34"), QValidator::Acceptable);
    EXPECT_EQ(check(v, QString(400, QLatin1Char('9'))), QValidator::Invalid); // beyond any double
    CDoubleValidator whole(0, 365, 0);
    EXPECT_EQ(check(whole, "7"), QValidator::Acceptable);
    EXPECT_EQ(check(whole, "7."), QValidator::Invalid);
}

TEST(DoubleValidator, minimumStepRequiresWholeTicks)
{
    CDoubleValidator v(0, 100, 3);
    v.setMinStep(0.005);
    EXPECT_EQ(check(v, "1.005"), QValidator::Acceptable);
    EXPECT_EQ(check(v, "1.004"), QValidator::Intermediate);
    QString text = "1.004";
    v.fixup(text);
    EXPECT_EQ(text, QStringLiteral("1.005"));
    CDoubleValidator negative(-10, 10, 1);
    EXPECT_EQ(check(negative, "-9.5"), QValidator::Acceptable);
    EXPECT_EQ(check(negative, "-10.5"), QValidator::Invalid);
}

} // namespace
