#include "tc/CTradingCalendar.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using TC::CTradingCalendar;

// The closures the terminal ships, beside the demo host's data.
QString shippedHolidayFile()
{
    return QFileInfo(QStringLiteral(__FILE__))
        .absoluteDir()
        .filePath(QStringLiteral("../../../app/data/ExchangeHolidays.csv"));
}

struct TradingCalendarTest : ::testing::Test
{
    CTradingCalendar m_calendar;
};

} // namespace

TEST_F(TradingCalendarTest, weekendsCloseWithoutAnyFileAndNextTradingDaySkipsClosures)
{
    EXPECT_TRUE(m_calendar.isTradingDay(QDate(2026, 1, 1))); // a Thursday, no closures loaded
    EXPECT_FALSE(m_calendar.isTradingDay(QDate(2026, 1, 3))); // Saturday
    EXPECT_FALSE(m_calendar.isTradingDay(QDate(2026, 1, 4))); // Sunday
    EXPECT_FALSE(m_calendar.isTradingDay(QDate()));
    EXPECT_EQ(m_calendar.nextTradingDay(QDate(2026, 1, 3)), QDate(2026, 1, 5));

    ASSERT_TRUE(m_calendar.loadClosures(shippedHolidayFile()));
    EXPECT_EQ(m_calendar.nextTradingDay(QDate(2026, 2, 14)), QDate(2026, 2, 24));
    EXPECT_EQ(m_calendar.nextTradingDay(QDate(2026, 10, 1)), QDate(2026, 10, 8));
    EXPECT_EQ(m_calendar.nextTradingDay(QDate(2026, 10, 1), 7),
              QDate(2026, 10, 8)); // the last looked at
    EXPECT_EQ(m_calendar.nextTradingDay(QDate(2026, 10, 1), 6), QDate()); // gives up
}

TEST_F(TradingCalendarTest, shippedFileClosesThe2026HolidaysAndNothingIn2027)
{
    QStringList warnings;
    ASSERT_TRUE(m_calendar.loadClosures(shippedHolidayFile(), &warnings));
    EXPECT_EQ(warnings, QStringList());

    const std::vector<std::pair<QDate, QDate>> closures
        = { { QDate(2026, 1, 1), QDate(2026, 1, 3) },   { QDate(2026, 2, 15), QDate(2026, 2, 23) },
            { QDate(2026, 4, 4), QDate(2026, 4, 6) },   { QDate(2026, 5, 1), QDate(2026, 5, 5) },
            { QDate(2026, 6, 19), QDate(2026, 6, 21) }, { QDate(2026, 9, 25), QDate(2026, 9, 27) },
            { QDate(2026, 10, 1), QDate(2026, 10, 7) } };
    int closedDays = 0;
    for (const auto &range : closures) {
        for (QDate d = range.first; d <= range.second; d = d.addDays(1)) {
            EXPECT_FALSE(m_calendar.isTradingDay(d)) << d.toString(Qt::ISODate).toStdString();
            EXPECT_TRUE(m_calendar.isClosure(d));
            ++closedDays;
        }
        // The days around each closure trade unless they are weekend days.
        for (const QDate &edge : { range.first.addDays(-1), range.second.addDays(1) }) {
            EXPECT_EQ(m_calendar.isTradingDay(edge), edge.dayOfWeek() < 6)
                << edge.toString(Qt::ISODate).toStdString();
        }
    }
    EXPECT_EQ(m_calendar.closureCount(), closedDays);

    // 2027 closes on weekends only until its closures are published.
    int tradingDays2027 = 0;
    for (QDate d = QDate(2027, 1, 1); d.year() == 2027; d = d.addDays(1))
        tradingDays2027 += m_calendar.isTradingDay(d) ? 1 : 0;
    EXPECT_EQ(tradingDays2027, 261);
}

TEST_F(TradingCalendarTest, operatorFileAddsClosuresAndReportsBadLines)
{
    ASSERT_TRUE(m_calendar.loadClosures(shippedHolidayFile()));
    const int shipped = m_calendar.closureCount();
    QTemporaryDir dir;
    QFile own(dir.filePath(QStringLiteral("ExchangeHolidays.csv")));
    ASSERT_TRUE(own.open(QIODevice::WriteOnly));
    own.write("first,last,name\n"
              "# a special closure\n"
              "2027-01-01,,元旦\n"
              "2027-02-06,2027-02-14,春节\n"
              "2027-13-01,,bad month\n"
              "2027-03-05,2027-03-01,reversed\n"
              "2027-04-01,2027-05-02,one day too long\n"
              "2027-08-01,2027-08-31,the longest allowed\n"
              "\n"
              "2026-10-01,2026-10-03,already closed\n");
    own.close();
    QStringList warnings;
    ASSERT_TRUE(m_calendar.loadClosures(own.fileName(), &warnings));
    EXPECT_EQ(warnings,
              QStringList({ "ExchangeHolidays.csv:5: not a date",
                            "ExchangeHolidays.csv:6: not a closure range",
                            "ExchangeHolidays.csv:7: not a closure range" }));
    EXPECT_EQ(m_calendar.closureCount(), shipped + 1 + 9 + 31);
    EXPECT_FALSE(m_calendar.isTradingDay(QDate(2027, 1, 1)));
    EXPECT_FALSE(m_calendar.isTradingDay(QDate(2027, 2, 8)));
    EXPECT_TRUE(m_calendar.isTradingDay(QDate(2027, 3, 1)));
    EXPECT_TRUE(m_calendar.isTradingDay(QDate(2027, 4, 1)));

    EXPECT_FALSE(m_calendar.loadClosures(dir.filePath(QStringLiteral("missing.csv")), &warnings));
}

TEST_F(TradingCalendarTest, dayMapFlagsEachDayOfTheRange)
{
    ASSERT_TRUE(m_calendar.loadClosures(shippedHolidayFile()));
    const CTradingCalendar::DayMap days = m_calendar.dayMap(QDate(2026, 9, 24), QDate(2026, 10, 9));
    ASSERT_EQ(days.size(), 16);
    QStringList open;
    for (auto it = days.constBegin(); it != days.constEnd(); ++it) {
        if (it->tradingDay)
            open << it.key();
    }
    EXPECT_EQ(open,
              QStringList({ "2026-09-24", "2026-09-28", "2026-09-29", "2026-09-30", "2026-10-08",
                            "2026-10-09" }));
    EXPECT_TRUE(m_calendar.dayMap(QDate(2026, 10, 9), QDate(2026, 9, 24)).isEmpty());

    const CTradingCalendar::DayMap around = m_calendar.dayMapAround(QDate(2026, 2, 12));
    EXPECT_EQ(around.size(), CTradingCalendar::kDaysBack + CTradingCalendar::kDaysAhead + 1);
    EXPECT_EQ(around.firstKey(), QStringLiteral("2026-01-12"));
    EXPECT_EQ(around.value("2026-02-16").tradingDay, 0);
    EXPECT_EQ(around.value("2026-02-24").tradingDay, 1);
    // A 365-day term from today may still move on by a year.
    EXPECT_TRUE(around.contains(CTradingCalendar::dateKey(QDate(2026, 2, 12).addDays(730))));

    // The map is kept for the forms, but follows a new closure, a new day and a cleared calendar.
    ASSERT_TRUE(m_calendar.addClosure(QDate(2026, 3, 2), QDate(2026, 3, 2)));
    EXPECT_EQ(m_calendar.dayMapAround(QDate(2026, 2, 12)).value("2026-03-02").tradingDay, 0);
    EXPECT_EQ(m_calendar.dayMapAround(QDate(2026, 2, 13)).firstKey(), QStringLiteral("2026-01-13"));
    m_calendar.clear();
    EXPECT_EQ(m_calendar.dayMapAround(QDate(2026, 2, 13)).value("2026-02-16").tradingDay, 1);
}
