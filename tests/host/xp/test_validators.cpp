#include "QtPrinters.h"
#include "xp/CDoubleValidator.h"
#include "xp/CIntValidator.h"

#include <cfloat>
#include <gtest/gtest.h>

using namespace XP;

namespace {

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
