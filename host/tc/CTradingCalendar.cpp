#include "tc/CTradingCalendar.h"

#include "utils/DateText.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace TC {

namespace {

bool isWeekend(const QDate &date)
{
    return date.dayOfWeek() >= Qt::Saturday;
}

QDate parseDay(const QString &text)
{
    return utils::dateFromIsoText(text.trimmed());
}

} // namespace

bool CTradingCalendar::isClosureLocked(const QDate &date) const
{
    return m_closures.count(date.toJulianDay()) > 0;
}

bool CTradingCalendar::isTradingDay(const QDate &date) const
{
    if (!date.isValid() || isWeekend(date))
        return false;
    boost::mutex::scoped_lock lock(m_mutex);
    return !isClosureLocked(date);
}

bool CTradingCalendar::isClosure(const QDate &date) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return date.isValid() && isClosureLocked(date);
}

QDate CTradingCalendar::nextTradingDay(const QDate &date, int maxDays) const
{
    if (!date.isValid())
        return QDate();
    for (int i = 0; i <= maxDays; ++i) {
        const QDate day = date.addDays(i);
        if (isTradingDay(day))
            return day;
    }
    return QDate();
}

bool CTradingCalendar::addClosure(const QDate &first, const QDate &last)
{
    if (!first.isValid() || !last.isValid() || last < first
        || first.daysTo(last) >= kMaxClosureDays)
        return false;
    boost::mutex::scoped_lock lock(m_mutex);
    for (qint64 day = first.toJulianDay(); day <= last.toJulianDay(); ++day)
        m_closures.insert(day);
    forgetAroundLocked();
    return true;
}

bool CTradingCalendar::loadClosures(const QString &path, QStringList *warnings)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QTextStream in(&file);
    in.setCodec("UTF-8");
    const QString name = QFileInfo(path).fileName();
    const auto warn = [&](int line, const char *reason) {
        if (warnings)
            warnings->append(
                QStringLiteral("%1:%2: %3").arg(name).arg(line).arg(QString::fromLatin1(reason)));
    };
    int lineNo = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        ++lineNo;
        if (lineNo == 1 || line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char(','));
        const QDate first = parseDay(fields.at(0));
        const QString lastText = fields.size() > 1 ? fields.at(1).trimmed() : QString();
        const QDate last = lastText.isEmpty() ? first : parseDay(lastText);
        if (!first.isValid() || !last.isValid()) {
            warn(lineNo, "not a date");
            continue;
        }
        if (!addClosure(first, last))
            warn(lineNo, "not a closure range");
    }
    return true;
}

int CTradingCalendar::closureCount() const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return int(m_closures.size());
}

CTradingCalendar::DayMap CTradingCalendar::dayMap(const QDate &from, const QDate &to) const
{
    boost::mutex::scoped_lock lock(m_mutex);
    return dayMapLocked(from, to);
}

CTradingCalendar::DayMap CTradingCalendar::dayMapLocked(const QDate &from, const QDate &to) const
{
    DayMap days;
    if (!from.isValid() || !to.isValid() || to < from)
        return days;
    for (QDate day = from; day <= to; day = day.addDays(1)) {
        DayRecord record;
        record.tradingDay = (!isWeekend(day) && !isClosureLocked(day)) ? 1 : 0;
        days.insert(dateKey(day), record);
    }
    return days;
}

CTradingCalendar::DayMap CTradingCalendar::dayMapAround(const QDate &today) const
{
    // Every order form asks for the same two years around today; they share one map.
    boost::mutex::scoped_lock lock(m_mutex);
    if (m_aroundDay != today) {
        m_around = dayMapLocked(today.addDays(-kDaysBack), today.addDays(kDaysAhead));
        m_aroundDay = today;
    }
    return m_around;
}

void CTradingCalendar::clear()
{
    boost::mutex::scoped_lock lock(m_mutex);
    m_closures.clear();
    forgetAroundLocked();
}

void CTradingCalendar::forgetAroundLocked()
{
    m_around.clear();
    m_aroundDay = QDate();
}

} // namespace TC
