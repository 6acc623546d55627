#include "QtPrinters.h"
#include "utils/DateText.h"

#include <gtest/gtest.h>

namespace {

// The readers must give what QDate::fromString gives for every text: the
// direct reading of the usual texts and the parser for the rest.
void expectSameAsParser(const QString &text)
{
    EXPECT_EQ(QDate::fromString(text, QStringLiteral("yyyyMMdd")), utils::dateFromDigits(text))
        << text.toStdString();
    EXPECT_EQ(QDate::fromString(text, QStringLiteral("yyyy-MM-dd")), utils::dateFromIsoText(text))
        << text.toStdString();
}

TEST(DateText, everyDayOfFourYearsReadsAsTheParserReadsIt)
{
    for (QDate day(2023, 12, 25); day <= QDate(2028, 1, 5); day = day.addDays(1)) {
        expectSameAsParser(day.toString(QStringLiteral("yyyyMMdd")));
        expectSameAsParser(day.toString(QStringLiteral("yyyy-MM-dd")));
        const int number = day.toString(QStringLiteral("yyyyMMdd")).toInt();
        EXPECT_EQ(utils::dateNumber(day), number);
        EXPECT_EQ(utils::dateFromNumber(number), day);
    }
    for (int noDate : { 20260230, 20261301, 20260100, 0, -20260101 })
        EXPECT_FALSE(utils::dateFromNumber(noDate).isValid()) << noDate;
    EXPECT_EQ(QDate(2028, 2, 29), utils::dateFromDigits(QStringLiteral("20280229")));
    EXPECT_EQ(QDate(2026, 6, 10), utils::dateFromIsoText(QStringLiteral("2026-06-10")));
}

TEST(DateText, textsThatAreNoDateInTheLayoutReadAsTheParserReadsThem)
{
    // Separated by '|': the empty text first, and texts with blanks at either end.
    const QStringList texts
        = QString::fromUtf8(
              "|2026061|202606100|20260230|20270229|20261301|20260001|20260600|20260631|00000101|"
              "00010101|99991231|2026 610|2026061x|+2026061|-2026061|２０２６０６１０|2026-6-10|"
              "2026-06-1|2026/06/10|2026-02-30|2026-13-01|2026-00-10|0000-01-01|2026-06-10 |"
              " 2026-06-10|2026-06-1x|20-26-0610|2026--0610|1970-01-01|19700101")
              .split(QLatin1Char('|'));
    ASSERT_EQ(texts.size(), 31);
    for (const QString &text : texts)
        expectSameAsParser(text);
}

} // namespace
