#pragma once

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <boost/thread/mutex.hpp>

#include <set>

namespace TC {

// The exchange's trading calendar. The mainland exchanges close on weekends
// and on their published closures; a make-up working day that falls on a
// weekend stays closed for the exchange. A year whose closures are not
// published yet closes on weekends only.
//
// Closures come from holiday files ("ExchangeHolidays.csv"): the host loads
// the shipped file first, then the operator's file in the configuration
// directory, whose lines add closures. Each data line is
//   first day,last day,name        (yyyy-MM-dd; an empty last day: one day)
// after a header line; '#' starts a comment line.
//
// Reached as utils::CSingletonT<TC::CTradingCalendar>::instance(). Thread-safe.
class CTradingCalendar
{
public:
    // A day as the order forms consult it.
    struct DayRecord
    {
        int tradingDay = 0; // 1 on a trading day, 0 when the exchange is closed
    };
    // Date text "yyyy-MM-dd" -> day.
    using DayMap = QMap<QString, DayRecord>;

    // Longest closure a holiday file line may name, in days.
    static constexpr int kMaxClosureDays = 31;
    // How far the forms' calendar reaches around today: a month back, and far
    // enough ahead for a 365-day term plus the 365 days it may move on.
    static constexpr int kDaysBack = 31;
    static constexpr int kDaysAhead = 2 * 366;

    static QString fileName() { return QStringLiteral("ExchangeHolidays.csv"); }
    // "yyyy-MM-dd"; the ISO form, which Qt writes without parsing a pattern.
    static QString dateKey(const QDate &date) { return date.toString(Qt::ISODate); }

    bool isTradingDay(const QDate &date) const;
    bool isClosure(const QDate &date) const;
    // The first trading day on or after `date`, looking at most `maxDays`
    // days ahead; an invalid date when there is none.
    QDate nextTradingDay(const QDate &date, int maxDays = 366) const;

    // Closes the days first..last (inclusive). False, and nothing added, for
    // an invalid or reversed range or one longer than kMaxClosureDays.
    bool addClosure(const QDate &first, const QDate &last);
    // Adds the closures of a holiday file. False when the file cannot be read;
    // lines that name no closure are skipped and reported in `warnings` as
    // "file:line: reason".
    bool loadClosures(const QString &path, QStringList *warnings = nullptr);
    int closureCount() const;

    // The days from..to (inclusive); empty for a reversed range.
    DayMap dayMap(const QDate &from, const QDate &to) const;
    // The days the order forms need around `today` (kDaysBack, kDaysAhead).
    DayMap dayMapAround(const QDate &today) const;

    // Forgets every closure: weekends only.
    void clear();
    void resetForTests() { clear(); }

private:
    bool isClosureLocked(const QDate &date) const;
    DayMap dayMapLocked(const QDate &from, const QDate &to) const;
    void forgetAroundLocked();

    mutable boost::mutex m_mutex;
    std::set<qint64> m_closures; // Julian day numbers
    // The last dayMapAround() answer and its day; dropped when closures change.
    mutable DayMap m_around;
    mutable QDate m_aroundDay;
};

} // namespace TC
