#include "TerminalFixture.h"

#include "tc/CTradingCalendar.h"
#include "ttservice/StockTypeCenter.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

namespace {

using SimulatedRepoHostTest = TerminalFixture;

TC::CTradingCalendar *calendar()
{
    return utils::CSingletonT<TC::CTradingCalendar>::instance();
}

} // namespace

TEST_F(SimulatedRepoHostTest, shippedVarietiesCoverOneToThreeHundredSixtyFiveDaysPerMarket)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join("\n").toStdString();

    const auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    for (const auto &market : { std::make_pair("SH", 279), std::make_pair("SZ", 10057) }) {
        std::vector<bool> covered(366, false);
        int varieties = 0;
        for (const auto &entry :
             ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments()) {
            const auto &inst = entry.second;
            if (inst->market != market.first || !inst->extraDetail)
                continue;
            ++varieties;
            bool typed = false;
            for (int t = market.second; t < market.second + 9; ++t)
                typed = typed || types->isTypedStock(t, inst->market, inst->instrumentCode);
            EXPECT_TRUE(typed) << inst->instrumentCode;
            EXPECT_FALSE(inst->bondDetail) << "a variety is no pledgeable bond";
            for (int d = inst->extraDetail->minDays; d <= inst->extraDetail->maxDays; ++d) {
                EXPECT_FALSE(covered[size_t(d)]) << market.first << " day " << d << " twice";
                covered[size_t(d)] = true;
            }
        }
        EXPECT_EQ(varieties, 9) << market.first;
        for (int d = 1; d <= 365; ++d)
            EXPECT_TRUE(covered[size_t(d)]) << market.first << " day " << d;
    }
    EXPECT_FALSE(calendar()->isTradingDay(QDate(2026, 10, 1)));
    EXPECT_TRUE(calendar()->isTradingDay(QDate(2026, 10, 8)));
}

TEST_F(SimulatedRepoHostTest, configDirectoryHolidaysAddToTheShippedOnes)
{
    write("ExchangeHolidays.csv", "first,last,name\n2027-01-01,,元旦\nnot-a-date,,x\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_FALSE(calendar()->isTradingDay(QDate(2027, 1, 1)));
    EXPECT_FALSE(calendar()->isTradingDay(QDate(2026, 2, 16))) << "shipped closures stay";
    EXPECT_EQ(host.warnings(), QStringList({ "ExchangeHolidays.csv:3: not a date" }));
}

TEST_F(SimulatedRepoHostTest, malformedVarietyLinesAreSkipped)
{
    write("repo_varieties.csv",
          "market,code,name,minDays,maxDays,typeId\n"
          "SH,206007,沪7天,4,7,281\n"
          "SH,206008,wrong type,8,14,10060\n"
          "SZ,138007,reversed,7,4,10059\n"
          "SZ,,no code,1,1,10057\n"
          "SZ,138001,深1天,1,1,10057\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_EQ(host.warnings().filter("repo_varieties.csv").size(), 3);
    const auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    EXPECT_TRUE(instruments->getInstrument("SH", "206007"));
    EXPECT_TRUE(instruments->getInstrument("SZ", "138001"));
    EXPECT_FALSE(instruments->getInstrument("SH", "206008"));
}
