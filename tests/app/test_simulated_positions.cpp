// The simulated host's positions for pledging: which bonds may be pledged,
// restricted volumes, and the feed that moves positions while the terminal runs.
#include "CPositionFeed.h"
#include "TerminalFixture.h"

#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/StockTypeCenter.h"

#include <chrono>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>

namespace {

using SimulatedPositionsTest = TerminalFixture;

TEST_F(SimulatedPositionsTest, shippedRestrictedVolumesAreLoaded)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join('\n').toStdString();
    const auto restricted = paper::record<ttservice::CNonTradeStockVolumeInfo>(
        ttservice::DATA_TYPE_NON_TRADE_VOLUME, "SH|019547");
    ASSERT_TRUE(restricted);
    EXPECT_EQ(restricted->volume, 30000);
}

TEST_F(SimulatedPositionsTest, badClassificationAndRestrictedLinesAreReported)
{
    write("stock_types.csv", "typeId,market,code\n10027,SH,999999\nx,SH,019547\n");
    write("restricted_volumes.csv",
          "accountId,market,code,name,volume\n777,SH,019547,a,5\n880001,SH,019547,a,-5\n"
          "880001,SH,019547,a\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_EQ(host.warnings(),
              QStringList({ "stock_types.csv:2: SH 999999 is not in instruments.csv",
                            "stock_types.csv:3: malformed line",
                            "restricted_volumes.csv:2: account 777 is not in accounts.csv",
                            "restricted_volumes.csv:3: volume is not a whole number of 张",
                            "restricted_volumes.csv:4: malformed line" }));
    EXPECT_FALSE(utils::CSingletonT<ttservice::StockTypeCenter>::instance()->isTypedStock(
        10027, "SH", "999999"));
}

TEST_F(SimulatedPositionsTest, feedMovesPositionsOnItsOwnThreadWithinBounds)
{
    write("host.ini", "[feed]\npositionIntervalMs=10\n");
    std::mutex mutex;
    std::set<std::thread::id> threads;
    std::vector<long long> volumes;
    {
        app::CSimulatedHost host;
        ASSERT_TRUE(load(host));
        const auto request = paper::account()->subscribe(
            ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547",
            [&](const ttservice::IDataPtr &record) {
                auto p = boost::dynamic_pointer_cast<ttservice::CPositionStatics>(record);
                std::lock_guard<std::mutex> lock(mutex);
                threads.insert(std::this_thread::get_id());
                volumes.push_back(p ? p->usableVolume : -1);
            });
        host.start();
        for (int i = 0; i < 500; ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (volumes.size() >= 5)
                    break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    } // the host stops its feed as it goes
    std::lock_guard<std::mutex> lock(mutex);
    ASSERT_GE(volumes.size(), 5u);
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
    bool moved = false;
    for (const long long v : volumes) {
        EXPECT_GE(v, 0);
        EXPECT_LE(v, 180000); // at most half again the 120,000 it started from
        EXPECT_EQ(v % 100, 0);
        moved = moved || v != 120000;
    }
    EXPECT_TRUE(moved);
}

} // namespace

TEST(PositionFeed, stepsApplyToThePositionAsItStandsSoOtherChangesAreKept)
{
    auto info = boost::make_shared<ttservice::CAccountInfo>();
    info->accountId = "990001";
    auto data = boost::make_shared<ttservice::CAccountData>(info);
    auto start = boost::make_shared<ttservice::CPositionStatics>();
    start->market = "SH";
    start->instrumentCode = "019547";
    start->usableVolume = 10000;
    start->totalVolume = 10000;
    data->updateData(start, false);
    auto usable = [&] {
        return boost::dynamic_pointer_cast<ttservice::CPositionStatics>(
                   data->getData(ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547"))
            ->usableVolume;
    };

    // The rounds wait here until the test runs them, as they wait for the exchange.
    std::mutex mutex;
    std::vector<std::function<void()>> rounds;
    app::CPositionFeed feed;
    feed.start({ data }, 1, 7, [&](std::function<void()> round) {
        std::lock_guard<std::mutex> lock(mutex);
        rounds.push_back(std::move(round));
    });
    auto runRounds = [&](size_t count) {
        for (int i = 0; i < 1000; ++i) {
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (rounds.size() >= count)
                    break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        std::vector<std::function<void()>> taken;
        {
            std::lock_guard<std::mutex> lock(mutex);
            taken.swap(rounds);
        }
        for (auto &round : taken)
            round();
        return taken.size();
    };
    ASSERT_GE(runRounds(20), 20u);
    const long long walked = usable();
    EXPECT_GE(walked, 5000);
    EXPECT_LE(walked, 15000);
    // The exchange pledges 4,000 of it: the next steps start from there.
    auto pledged = boost::make_shared<ttservice::CPositionStatics>(*start);
    pledged->usableVolume = walked - 4000;
    data->updateData(pledged, false);
    const size_t more = runRounds(1);
    ASSERT_GE(more, 1u);
    EXPECT_LE(std::llabs(usable() - (walked - 4000)), 200 * static_cast<long long>(more));
    feed.stop();
}
