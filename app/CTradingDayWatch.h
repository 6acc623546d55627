#pragma once

#include <QDate>
#include <QObject>
#include <QTimer>

namespace app {

// Starts the simulated host's trading days. The trading date is the first
// trading day on or after the calendar date, so that on a weekend or a
// holiday the order forms already work for the day the exchange opens again,
// as a real host does after its evening roll-over. Whenever that date moves
// on, the exchange client announces it (which also sets the host clock).
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

    QDate tradingDate() const { return m_tradingDate; }

private:
    QTimer m_timer;
    QDate m_tradingDate;
};

} // namespace app
