// The simulated host's seed files, shipped or the operator's, and its position feed.
#include "CPositionFeed.h"
#include "CTerminalWindow.h"
#include "TerminalFixture.h"

#include "tc/CTradingCalendar.h"
#include "ttservice/CNonTradeStockVolumeInfo.h"
#include "ttservice/StockTypeCenter.h"
#include "utils/DateText.h"

#include <QListWidget>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <set>
#include <thread>
#include <tuple>
#include <utility>

namespace {

using ContractPtr = ttservice::CRepurchaseAgreementContractInfoPtr;

// A Tuesday on which both exchanges trade.
const QDate kTradingDay(2026, 3, 10);

const QByteArray kHeader = "accountId,contractNo,market,direction,status,firstSettleOffset,"
                           "maturityOffset,amount,rate,conversionRatio,maturitySettleAmount,"
                           "pledgedBonds,dealer,tradingEntity,trader,counterpartyDealer,"
                           "counterpartyDealerName,counterpartyEntity,counterpartyTrader,"
                           "referenceNo,supplementaryTerms\n";
const QString kContract = QStringLiteral(
    "880002,HT2026030001,SH,2,8,-10,20,10000000.00,0.0240,0.85,10019726.03,"
    "019547:90000|122001:40000,1001,100102,T002,1004,远川银行,100401,T301,YD001,到期一次结清");

class SimulatedHostTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        TC::CHostClock::setToday(kTradingDay);
    }
};

// The contract line with one column replaced.
QString withColumn(int column, const QString &value)
{
    QStringList fields = kContract.split(',');
    fields[column] = value;
    return fields.join(',');
}

TEST_F(SimulatedHostTest, shippedDataSeedsEveryServiceWithoutAWarning)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join('\n').toStdString();

    TC::CUserConfig *config = TC::getUserConfig();
    auto *client = utils::CManualSingletonT<TC::CTradeClient>::instance();
    std::set<int> states;
    for (const TC::CAccountPtr &a : config->getAccountDatas())
        states.insert(client->getLoginStatus(a->getKey()));
    EXPECT_EQ(states.size(), 3u) << "the demo shows every login state";
    // The dealer file is handed to the configuration directory, bytes unchanged.
    EXPECT_EQ(bytesOf(QStringLiteral(FICC_APP_DATA_DIR "/FiccDealerConfig.csv")),
              bytesOf(path("FiccDealerConfig.csv")));
    const auto restricted = paper::record<ttservice::CNonTradeStockVolumeInfo>(
        ttservice::DATA_TYPE_NON_TRADE_VOLUME, "SH|019547");
    ASSERT_TRUE(restricted);
    EXPECT_EQ(restricted->volume, 30000);

    // Repo varieties, typed and no pledgeable bonds, cover 1-365 days once in each market.
    const auto *types = utils::CSingletonT<ttservice::StockTypeCenter>::instance();
    std::map<std::string, std::vector<int>> covered; // per market, per day
    for (const auto &entry :
         ttservice::TraderCenter::instance()->getInstCenter()->getAllInstruments()) {
        const auto &inst = entry.second;
        if (!inst->extraDetail)
            continue;
        const int firstType = inst->market == "SH" ? 279 : 10057;
        bool typed = false;
        for (int t = firstType; t < firstType + 9; ++t)
            typed = typed || types->isTypedStock(t, inst->market, inst->instrumentCode);
        EXPECT_TRUE(typed && !inst->bondDetail) << inst->instrumentCode;
        covered.try_emplace(inst->market, 366, 0);
        for (int d = inst->extraDetail->minDays; d <= inst->extraDetail->maxDays; ++d)
            ++covered[inst->market][size_t(d)];
    }
    for (const char *market : { "SH", "SZ" })
        EXPECT_EQ(std::count(covered[market].begin() + 1, covered[market].end(), 1), 365) << market;

    // Contracts of every status, market and direction, before, inside, at and past their term.
    std::set<int> statuses, directions, positions;
    std::set<std::string> markets;
    for (const TC::CAccountPtr &account : config->getAccountDatas()) {
        for (const ContractPtr &c : paper::contracts(account->getKey())) {
            statuses.insert(c->contractStatus);
            directions.insert(c->direction);
            markets.insert(c->market);
            const QDate first = utils::dateFromNumber(c->firstSettleDate),
                        maturity = utils::dateFromNumber(c->maturitySettleDate);
            EXPECT_EQ(first.daysTo(maturity), c->repurchaseDays) << c->contractNo;
            positions.insert(kTradingDay < first          ? 0
                                 : kTradingDay < maturity ? 1
                                                          : 2 + (kTradingDay > maturity));
        }
    }
    for (int kept : { '1', '2', '8' })
        EXPECT_EQ(statuses.count(kept), 1u) << char(kept);
    EXPECT_GT(statuses.size(), 3u) << "statuses the tables leave out";
    EXPECT_EQ(positions.size(), 4u);
    EXPECT_EQ(markets.size() * directions.size(), 4u);

    // Intention orders of both directions and declarations, counted from the trading date.
    std::set<int> intentionDirections;
    for (const auto &o : paper::intentions()) {
        intentionDirections.insert(o->direction);
        EXPECT_EQ(utils::dateFromNumber(o->maturitySettleDate),
                  kTradingDay.addDays(o->repurchaseDays));
        EXPECT_NEAR(o->maturitySettleAmount,
                    o->repurchaseAmount * (1 + o->repurchaseRate * o->repurchaseDays / 365), 0.006);
    }
    EXPECT_EQ(intentionDirections.size(), 2u);
    EXPECT_EQ(paper::declarations().front()->priorApplyDate, utils::dateNumber(kTradingDay));
}

TEST_F(SimulatedHostTest, badLinesOfTheConfigurationFilesAreSkippedAndSaid)
{
    using Files = std::vector<std::pair<QString, QByteArray>>;
    const QByteArray declarations = "header of the shipped file\n";
    const QByteArray good = ",SH,206007,0,0,T401,1005,晨岭基金,T301,1004,远川银行,1000000,0.02,"
                            "0.9,0,7,,0,,,100502,100401,0,远川客户,2,";
    const auto *instruments = ttservice::TraderCenter::instance()->getInstCenter();
    // Loads with `files` written: the warnings containing `about` are `said`, or `count` of them
    // when none are given; `loaded` checks what the host took.
    const auto check = [this](const char *what, const char *about, int count,
                              const QStringList &said, const Files &files,
                              const std::function<void(app::CSimulatedHost &)> &loaded = {}) {
        SCOPED_TRACE(what);
        TC::resetHostForTests();
        TC::setConfigDir(dir.path());
        write("host.ini", "[feed]\npositionIntervalMs=0\n");
        for (const auto &[name, text] : files)
            write(name, text);
        {
            app::CSimulatedHost host;
            ASSERT_TRUE(load(host));
            const QStringList warned = host.warnings().filter(QLatin1String(about));
            EXPECT_EQ(warned.size(), count) << host.warnings().join('\n').toStdString();
            if (!said.isEmpty()) {
                EXPECT_EQ(warned, said);
            }
            if (loaded)
                loaded(host);
        }
        for (const auto &file : files)
            QFile::remove(path(file.first));
    };
    check("user and accounts", "accounts.csv:", 3, {},
          { { "host.ini", "[user]\nname=x\ndeploymentCode=200\nspotTrade=false\n" },
            { "accounts.csv",
              "header\n1,a,,1,0,logged_in,100\nbad line\n2,b,,1,0,sleeping,5\n"
              "3,c,,x,0,logged_in,5\n" } },
          [](app::CSimulatedHost &host) {
              EXPECT_EQ(TC::getUserConfig()->deploymentCode, 200);
              EXPECT_FALSE(TC::getUserConfig()->hasSpotTrade());
              EXPECT_EQ(TC::getUserConfig()->getAccountDatas().size(), 1u);
              EXPECT_EQ(host.warnings().filter(QStringLiteral("accounts.csv:3:")).size(), 1);
          });
    check("classifications and restricted volumes", ".csv:", 5,
          { "stock_types.csv:2: SH 999999 is not in instruments.csv",
            "stock_types.csv:3: malformed line",
            "restricted_volumes.csv:2: account 777 is not in accounts.csv",
            "restricted_volumes.csv:3: volume is not a whole number of 张",
            "restricted_volumes.csv:4: malformed line" },
          { { "stock_types.csv", "typeId,market,code\n10027,SH,999999\nx,SH,019547\n" },
            { "restricted_volumes.csv",
              "accountId,market,code,name,volume\n777,SH,019547,a,5\n"
              "880001,SH,019547,a,-5\n880001,SH,019547,a\n" } },
          [](app::CSimulatedHost &) {
              EXPECT_FALSE(utils::CSingletonT<ttservice::StockTypeCenter>::instance()->isTypedStock(
                  10027, "SH", "999999"));
          });
    check("holidays added to the shipped ones", ".csv:", 1,
          { "ExchangeHolidays.csv:3: not a date" },
          { { "ExchangeHolidays.csv", "first,last,name\n2027-01-01,,元旦\nnot-a-date,,x\n" } },
          [](app::CSimulatedHost &) {
              auto *calendar = utils::CSingletonT<TC::CTradingCalendar>::instance();
              EXPECT_FALSE(calendar->isTradingDay(QDate(2027, 1, 1)));
              EXPECT_FALSE(calendar->isTradingDay(QDate(2026, 2, 16))) << "shipped closures stay";
          });
    check("repo varieties", "repo_varieties.csv", 3, {},
          { { "repo_varieties.csv",
              "market,code,name,minDays,maxDays,typeId\n"
              "SH,206007,沪7天,4,7,281\n"
              "SH,206008,wrong type,8,14,10060\n"
              "SZ,138007,reversed,7,4,10059\n"
              "SZ,,no code,1,1,10057\n"
              "SZ,138001,深1天,1,1,10057\n" } },
          [instruments](app::CSimulatedHost &) {
              EXPECT_TRUE(instruments->getInstrument("SH", "206007"));
              EXPECT_TRUE(instruments->getInstrument("SZ", "138001"));
              EXPECT_FALSE(instruments->getInstrument("SH", "206008"));
          });
    check("intention orders", ".csv:", 3,
          { "intention_orders.csv:3: direction is neither 0 nor 1",
            "intention_orders.csv:4: unknown account \"990001\"",
            "intention_orders.csv:5: a number is missing or out of range" },
          { { "intention_orders.csv",
              "header\nYX1,880001,SH,1,019547,100,T1,1004,远川银行,1000000,0.02,0.9,7\n"
              "YX2,880001,SH,2,019547,100,T1,1004,远川银行,1000000,0.02,0.9,7\n"
              "YX3,990001,SH,1,019547,100,T1,1004,远川银行,1000000,0.02,0.9,7\n"
              "YX4,880001,SH,1,019547,100,T1,1004,远川银行,1000000,0.02,0.9,400\n" } });
    check("desks, which replace the shipped ones", "desks.csv:", 2,
          { "desks.csv:4: a desk needs a dealer and a trader code",
            "desks.csv:5: a desk needs a dealer and a trader code" },
          { { "desks.csv",
              "dealer,dealerName,trader,traderName\n"
              "# a comment\n"
              "2001,岚桥证券,T901,林未央\n"
              "2002,,,\n"
              "2003,只有名字\n" } },
          [](app::CSimulatedHost &host) {
              host.start();
              const std::vector<app::CPaperExchange::Desk> &desks = host.exchange()->desks();
              ASSERT_EQ(desks.size(), 1u);
              EXPECT_EQ(desks[0].dealerName, QStringLiteral("岚桥证券"));
              EXPECT_EQ(desks[0].traderName, QStringLiteral("林未央"));
          });
    check("declarations waiting for confirmation", "pending_declarations.csv:", 7, {},
          { { "pending_declarations.csv",
              declarations + "A1,880001" + good + "019547:100\n" // taken
                  + "A2,999999" + good + "019547:100\n" // unknown account
                  + "A3,880001" + good + "019547:100:7\n" // swap flag
                  + "A4,880001" + good + "101501:100\n" // a bond of the other market
                  + "A5,880001" + QByteArray(good).replace("206007", "206999") + "\n" + "A6,880001"
                  + QByteArray(good).replace(",0,0,T401", ",0,9,T401") + "\n" + "A1,880001" + good
                  + "\n" // twice
                  + "A8,880001,SH\n" } },
          [](app::CSimulatedHost &) {
              const auto loaded = paper::declarations();
              ASSERT_EQ(loaded.size(), 1u);
              EXPECT_EQ(loaded.front()->pendingOrderRef, "A1");
          });
}

// Contract lines: dates from the trading date; a bad line is reported with file, line and reason.
TEST_F(SimulatedHostTest, contractLinesFillTheRecordWithDatesFromTheTradingDateOrAreReported)
{
    const std::pair<QString, QString> cases[] = {
        { withColumn(0, "990001"), "unknown account \"990001\"" },
        { kContract.section(',', 0, 11), "12 fields, 21 expected" },
        { withColumn(2, "BJ"), "market is neither SH nor SZ" },
        { withColumn(3, "0"), "direction is neither 1 nor 2" },
        { withColumn(4, "12"), "unknown contract status \"12\"" },
        { withColumn(5, "20"), "term of 0 days is not 1-365" },
        { withColumn(5, "-346"), "term of 366 days is not 1-365" },
        { withColumn(7, "-1"), "amount is not a positive number" },
        { withColumn(8, "2.40"), "rate is not a fraction between 0 and 1" },
        { withColumn(9, "85"), "conversion ratio is not a fraction between 0 and 1" },
        { withColumn(10, "10000000.00"), "maturity amount 10000000.00 is not the 10019726.03 due" },
        { withColumn(11, ""), "no pledged bonds" },
        { withColumn(11, "101501:200000"), "pledged bond 101501 is no SH bond of instruments.csv" },
        { withColumn(11, "206007:200000"), "pledged bond 206007 is no SH bond of instruments.csv" },
        { withColumn(11, "019547:90000|019547:40000"), "bond 019547 pledged twice" },
        { withColumn(11, "019547:90000"),
          "pledged face value 9000000.00 at ratio 0.85 does not cover the amount" },
        { kContract, "contract HT2026030001 twice in the account" },
    };
    // A comment and a blank line still count: the good line is line 4.
    QByteArray file = kHeader + "# demo\n\n" + kContract.toUtf8() + '\n';
    QStringList expected;
    int lineNo = 4;
    for (const auto &[line, reason] : cases) {
        file += line.toUtf8() + '\n';
        expected << QStringLiteral("contracts.csv:%1: %2").arg(++lineNo).arg(reason);
    }
    write("contracts.csv", file);
    // The host clock's date, then the day trading resumes after a weekend and after a closure.
    const std::pair<QDate, QDate> clockAndTradingDate[] = {
        { kTradingDay, kTradingDay },
        { QDate(2026, 3, 14), QDate(2026, 3, 16) },
        { QDate(2026, 2, 14), QDate(2026, 2, 24) },
    };
    for (const auto &[clock, tradingDate] : clockAndTradingDate) {
        SCOPED_TRACE(clock.toString(Qt::ISODate).toStdString());
        TC::resetHostForTests();
        TC::CHostClock::setToday(clock);
        app::CSimulatedHost host;
        ASSERT_TRUE(load(host));
        EXPECT_EQ(host.warnings(), expected);
        EXPECT_TRUE(paper::contracts("880001").empty());
        ASSERT_EQ(paper::contracts("880002").size(), 1u);
        const ContractPtr c = paper::contracts("880002").front();
        EXPECT_EQ(paper::summary(*c),
                  QStringLiteral("SH side 2, status 8, %1 to %2 (30 days), amount 10000000 at "
                                 "0.024, ratio 0.85, due 10019726.03, desk 1004 远川银行 T301, "
                                 "bonds SH 019547 16国债19 90000 | SH 122001 06澜岳能源债 40000")
                      .arg(utils::dateNumber(tradingDate.addDays(-10)))
                      .arg(utils::dateNumber(tradingDate.addDays(20)))
                      .toStdString());
        EXPECT_EQ(c->accountInfo, TC::getUserConfig()->getAccountData("880002")->getAccountInfo());
        EXPECT_EQ(std::vector<std::string>({ c->dealer, c->tradingEntity, c->trader,
                                             c->counterpartyEntity, c->referenceNo,
                                             c->supplementaryTerms }),
                  std::vector<std::string>(
                      { "1001", "100102", "T002", "100401", "YD001", "到期一次结清" }));
    }
}

// Warnings, such as a seed file the host can do without, reach the message list and stderr.
TEST_F(SimulatedHostTest, aMissingSeedFileFailsTheLoadUnlessTheHostCanDoWithoutAndIsSaid)
{
    app::CSimulatedHost nothing;
    QString error;
    EXPECT_FALSE(nothing.load(path("nowhere"), path("nothing-here"), &error));
    EXPECT_FALSE(error.isEmpty());
    TC::resetHostForTests();

    const QString data = path("data");
    QDir().mkpath(data);
    const QDir shipped(QStringLiteral(FICC_APP_DATA_DIR));
    for (const QString &name : shipped.entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(shipped.filePath(name), QDir(data).filePath(name)));
    ASSERT_TRUE(QFile::remove(QDir(data).filePath("contracts.csv")));
    app::CSimulatedHost host;
    ASSERT_TRUE(host.load(data, dir.path(), &error)) << error.toStdString();
    const QStringList warnings { "contracts.csv: cannot read, no agreement contracts" };
    EXPECT_EQ(host.warnings(), warnings);
    for (const TC::CAccountPtr &account : TC::getUserConfig()->getAccountDatas())
        EXPECT_TRUE(paper::contracts(account->getKey()).empty()) << account->getKey();
    EXPECT_NE(paper::position("SH", "019547"), nullptr) << "the positions are loaded";

    app::CTerminalWindow window(dir.path());
    paper::clearMessages();
    testing::internal::CaptureStderr();
    host.reportWarnings(stderr);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "ficc-terminal: " + warnings[0].toStdString() + "\n");
    EXPECT_EQ(paper::messages(), warnings);
    const QListWidget *list = window.messageList();
    ASSERT_GE(list->count(), 1);
    EXPECT_TRUE(list->item(list->count() - 1)->text().endsWith(warnings[0]));
}

TEST_F(SimulatedHostTest, oversizedFilesAreRefusedBeforeReading)
{
    const qint64 size = app::CSimulatedHost::kMaxSeedFileBytes + 1;
    // A seed file, whether it is a directory, and what is lost when the host can do without it.
    const std::tuple<const char *, bool, const char *> cases[] = {
        { "host.ini", false, nullptr },
        { "accounts.csv", false, nullptr },
        { "repo_varieties.csv", false, nullptr },
        { "contracts.csv", false, "no agreement contracts" },
        { "intention_orders.csv", false, "no intention orders" },
        { "ExchangeHolidays.csv", false, "its closures are not added" },
        { "ExchangeHolidays.csv", true, "its closures are not added" },
    };
    for (const auto &[name, directory, consequence] : cases) {
        SCOPED_TRACE(name);
        TC::resetHostForTests();
        const QString file = path(name);
        QFile::remove(file);
        QString why = file + " is a directory";
        if (directory) {
            ASSERT_TRUE(QDir().mkdir(file));
        } else {
            QFile sparse(file);
            ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
            ASSERT_TRUE(sparse.resize(size));
            why = QString("%1 is %2 bytes, more than the %3 a seed file may have")
                      .arg(file)
                      .arg(size)
                      .arg(app::CSimulatedHost::kMaxSeedFileBytes);
        }

        app::CSimulatedHost host;
        const ::testing::AssertionResult loaded = load(host); // the seed files, not the last book
        EXPECT_EQ(bool(loaded), consequence != nullptr) << loaded.message();
        if (consequence) {
            EXPECT_EQ(host.warnings(),
                      QStringList({ QString("%1: %2, %3").arg(name, why, consequence) }));
        } else {
            EXPECT_EQ(loaded.message(), why.toStdString());
        }
        ASSERT_TRUE(directory ? QDir().rmdir(file) : QFile::remove(file));
    }
}

// The host runs its feed at the interval of host.ini and stops it as it goes.
TEST_F(SimulatedHostTest, feedMovesPositionsWhileTheHostRuns)
{
    write("host.ini", "[feed]\npositionIntervalMs=10\n");
    std::atomic<int> moved { 0 };
    {
        app::CSimulatedHost host;
        ASSERT_TRUE(load(host));
        const auto request = paper::account()->subscribe(
            ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547",
            [&](const ttservice::IDataPtr &record) {
                moved += boost::dynamic_pointer_cast<ttservice::CPositionStatics>(record)
                             ->usableVolume
                    != 120000;
            });
        host.start();
        for (int i = 0; i < 500 && moved < 3; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_GE(moved, 3);
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
    std::set<std::thread::id> threads; // the feed's own
    app::CPositionFeed feed;
    feed.start({ data }, 1, 7, [&](std::function<void()> round) {
        std::lock_guard<std::mutex> lock(mutex);
        threads.insert(std::this_thread::get_id());
        rounds.push_back(std::move(round));
    });
    // Waits for `count` rounds (a second at most), then runs those that came.
    auto runRounds = [&](size_t count) {
        std::unique_lock<std::mutex> lock(mutex);
        for (int i = 0; i < 1000 && rounds.size() < count; ++i) {
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            lock.lock();
        }
        std::vector<std::function<void()>> taken = std::exchange(rounds, {});
        lock.unlock();
        for (auto &round : taken)
            round();
        return taken.size();
    };
    ASSERT_GE(runRounds(20), 20u);
    const long long walked = usable();
    EXPECT_EQ(walked % 100, 0) << "steps of whole hundreds";
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
    EXPECT_EQ(threads.size(), 1u);
    EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
}
