#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>

#include <functional>

namespace app {

// Starts the simulated host's trading days. The trading date is the first
// trading day on or after the calendar date, so that on a weekend or a
// holiday the order forms already work for the day the exchange opens again,
// as a real host does after its evening roll-over. Whenever that date moves
// on, the host clock moves to it, the roll-over runs (the exchange settles
// the day's contract states) and the exchange client announces the day. The
// trading date only moves forward: once the demo has been moved to a later
// day (advance), the calendar date catches up with it, not the other way.
class CTradingDayWatch : public QObject
{
    Q_OBJECT
public:
    explicit CTradingDayWatch(QObject *parent = nullptr);

    // Looks at the calendar date every minute, after a first check now.
    void start();

    // Announces a new trading day when the one for `calendarDate` differs
    // from the last one announced. False when nothing was announced.
    bool check(const QDate &calendarDate);

    // Moves on to the trading day after the current one (the day after the
    // host clock's date before any was announced) and announces it.
    bool advance();

    // Runs after the host clock moved to a new trading day and before the day
    // is announced.
    void setRollOver(std::function<void()> rollOver) { m_rollOver = std::move(rollOver); }

    QDate tradingDate() const { return m_tradingDate; }

private:
    bool announce(const QDate &day);

    QTimer m_timer;
    std::function<void()> m_rollOver;
    QDate m_tradingDate;
};

} // namespace app
