#include "CTradingDayWatch.h"

#include "tc/Services.h"

namespace app {

namespace {

std::string dayText(const QDate &date)
{
    return date.isValid() ? date.toString(QStringLiteral("yyyyMMdd")).toStdString() : std::string();
}

} // namespace

CTradingDayWatch::CTradingDayWatch(QObject *parent)
    : QObject(parent)
{
    m_timer.setInterval(60 * 1000);
    connect(&m_timer, &QTimer::timeout, this, [this] { check(QDate::currentDate()); });
}

void CTradingDayWatch::start()
{
    check(QDate::currentDate());
    m_timer.start();
}

bool CTradingDayWatch::check(const QDate &calendarDate)
{
    const QDate day
        = utils::CSingletonT<TC::CTradingCalendar>::instance()->nextTradingDay(calendarDate);
    // No trading day within a year: the calendar is broken, keep the day we have.
    if (!day.isValid() || (m_tradingDate.isValid() && day <= m_tradingDate))
        return false;
    return announce(day);
}

bool CTradingDayWatch::advance()
{
    const QDate from = m_tradingDate.isValid() ? m_tradingDate : TC::CHostClock::today();
    const QDate day
        = utils::CSingletonT<TC::CTradingCalendar>::instance()->nextTradingDay(from.addDays(1));
    return day.isValid() && announce(day);
}

bool CTradingDayWatch::announce(const QDate &day)
{
    const std::string previous = dayText(m_tradingDate);
    m_tradingDate = day;
    TC::CHostClock::setToday(day);
    if (m_rollOver)
        m_rollOver();
    utils::CManualSingletonT<TC::CExchangeClient>::instance()->notifyNewTradingDate(dayText(day),
                                                                                    previous);
    return true;
}

} // namespace app
