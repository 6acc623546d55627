#include "CTradingDayWatch.h"

#include "tc/CExchangeClient.h"
#include "tc/CTradingCalendar.h"
#include "utils/CSingletonT.h"

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
    if (!day.isValid() || day == m_tradingDate)
        return false;
    const std::string previous = dayText(m_tradingDate);
    m_tradingDate = day;
    utils::CManualSingletonT<TC::CExchangeClient>::instance()->notifyNewTradingDate(dayText(day),
                                                                                    previous);
    return true;
}

} // namespace app
