#include "CTradingDayWatch.h"
#include "TerminalFixture.h"

#include "tc/CExchangeClient.h"
#include "tc/CHostClock.h"
#include "utils/CSingletonT.h"

#include <utility>
#include <vector>

using TradingDayWatch = TerminalFixture;

// Over the shipped calendar: 2026-02-12 is a Thursday before the Spring
// Festival closure, which keeps the exchange shut until 2026-02-24;
// 2026-09-30 is the Wednesday before the National Day closure (1-7 October).
TEST_F(TradingDayWatch, movesOnToEachTradingDayOnceRollingOverBeforeAnnouncingIt)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    app::CTradingDayWatch watch;
    std::vector<QDate> rolledOn; // the host clock when the roll-over runs
    std::vector<std::pair<std::string, std::string>> announced;
    watch.setRollOver([&] { rolledOn.push_back(TC::CHostClock::today()); });
    // The exchange client outlives the test: the watch ends the connection.
    QObject::connect(utils::CManualSingletonT<TC::CExchangeClient>::instance(),
                     &TC::CExchangeClient::sigNewTradingDate, &watch,
                     [&](const std::string &day, const std::string &previous) {
                         announced.emplace_back(day, previous);
                         EXPECT_EQ(rolledOn.size(), announced.size()) << "rolled over first";
                     });

    // The calendar date: the first trading day on or after it, once.
    EXPECT_TRUE(watch.check(QDate(2026, 2, 12)));
    EXPECT_FALSE(watch.check(QDate(2026, 2, 12)));
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 2, 12));
    // Saturday, then a holiday inside the closure: both trade on 24 February.
    EXPECT_TRUE(watch.check(QDate(2026, 2, 14)));
    EXPECT_FALSE(watch.check(QDate(2026, 2, 20)));
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 2, 24));
    EXPECT_EQ(watch.tradingDate(), QDate(2026, 2, 24));

    // The trader's advance moves on across closures; the calendar date stays
    // behind the day the trader moved to and never moves it back.
    EXPECT_TRUE(watch.check(QDate(2026, 9, 30)));
    EXPECT_TRUE(watch.advance());
    EXPECT_EQ(watch.tradingDate(), QDate(2026, 10, 8));
    EXPECT_FALSE(watch.check(QDate(2026, 10, 2)));
    EXPECT_FALSE(watch.check(QDate(2026, 9, 30)));
    EXPECT_TRUE(watch.advance()); // Friday
    EXPECT_TRUE(watch.advance()); // over the weekend
    EXPECT_TRUE(watch.check(QDate(2026, 10, 13)));
    EXPECT_EQ(TC::CHostClock::today(), QDate(2026, 10, 13));

    const std::vector<QDate> days
        = { QDate(2026, 2, 12), QDate(2026, 2, 24),  QDate(2026, 9, 30), QDate(2026, 10, 8),
            QDate(2026, 10, 9), QDate(2026, 10, 12), QDate(2026, 10, 13) };
    EXPECT_EQ(rolledOn, days);
    const std::vector<std::pair<std::string, std::string>> expected
        = { { "20260212", "" },         { "20260224", "20260212" }, { "20260930", "20260224" },
            { "20261008", "20260930" }, { "20261009", "20261008" }, { "20261012", "20261009" },
            { "20261013", "20261012" } };
    EXPECT_EQ(announced, expected);
}
