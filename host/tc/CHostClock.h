#pragma once

#include <QDate>

namespace TC {

// The terminal's current date: the real date unless set (tests, the demo's
// simulated trading days). The exchange client moves it on a new trading day.
class CHostClock
{
public:
    static QDate today();
    // An invalid date returns to the real date.
    static void setToday(const QDate &date);
    static void useRealDate() { setToday(QDate()); }
    static bool isFixed();

private:
    CHostClock() = delete;
};

} // namespace TC
