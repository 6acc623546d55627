// The simulated host's agreement repurchase contracts (type 788) and intention
// orders: read from their seed files with dates counted from the trading
// date and kept in the account data.
#include "TerminalFixture.h"

#include "tc/CUserManager.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "utils/DateText.h"

#include <set>

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

class SimulatedContractsTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        TC::CHostClock::setToday(kTradingDay);
    }

    static std::vector<ContractPtr> contractsOf(const std::string &accountId)
    {
        return paper::records<paper::Contract>(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, accountId);
    }
};

// The contract line with one column replaced.
QString withColumn(int column, const QString &value)
{
    QStringList fields = kContract.split(',');
    fields[column] = value;
    return fields.join(',');
}

} // namespace

TEST_F(SimulatedContractsTest, shippedContractsCoverEveryStatusDatePositionMarketAndDirection)
{
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join("\n").toStdString();

    auto *client = utils::CManualSingletonT<TC::CTradeClient>::instance();
    enum Position { BEFORE_FIRST_SETTLEMENT, INSIDE_TERM, MATURING_TODAY, PAST_MATURITY };
    std::set<int> statuses, directions, positions;
    std::set<std::string> markets, loggedInAccounts;
    size_t count = 0;
    for (const TC::CAccountPtr &account : TC::getUserConfig()->getAccountDatas()) {
        for (const ContractPtr &c : contractsOf(account->getKey())) {
            ASSERT_TRUE(c);
            SCOPED_TRACE(c->contractNo);
            ++count;
            ASSERT_TRUE(c->accountInfo);
            EXPECT_EQ(c->accountInfo->accountId, account->getKey());
            if (client->getLoginStatus(account->getKey()) == ttservice::BROKER_LOGIN_STATUS_OK)
                loggedInAccounts.insert(account->getKey());
            statuses.insert(c->contractStatus);
            directions.insert(c->direction);
            markets.insert(c->market);

            const QDate first = utils::dateFromNumber(c->firstSettleDate),
                        maturity = utils::dateFromNumber(c->maturitySettleDate);
            EXPECT_EQ(first.daysTo(maturity), c->repurchaseDays);
            positions.insert(kTradingDay < first           ? BEFORE_FIRST_SETTLEMENT
                                 : maturity == kTradingDay ? MATURING_TODAY
                                 : maturity < kTradingDay  ? PAST_MATURITY
                                                           : INSIDE_TERM);
            // The loader has already checked bonds, coverage and maturity amounts
            // (no warnings); these are the demo's own bounds.
            EXPECT_TRUE(c->repurchaseAmount >= 5e6 && c->repurchaseAmount <= 5e7
                        && c->repurchaseRate >= 0.015 && c->repurchaseRate <= 0.035
                        && c->conversionRatio >= 0.6 && c->conversionRatio <= 0.95
                        && !c->pledgedBonds.empty() && c->pledgedBonds.size() <= 3);
        }
    }
    EXPECT_GE(count, 20u);
    EXPECT_GE(loggedInAccounts.size(), 2u);
    for (int kept : { '1', '2', '8' })
        EXPECT_EQ(statuses.count(kept), 1u) << char(kept);
    EXPECT_GT(statuses.size(), 3u) << "statuses the tables leave out";
    EXPECT_EQ(positions.size(), 4u);
    EXPECT_EQ(markets, std::set<std::string>({ "SH", "SZ" }));
    EXPECT_EQ(directions, std::set<int>({ '1', '2' }));
}

TEST_F(SimulatedContractsTest, aContractLineFillsTheRecordWithDatesFromTheTradingDate)
{
    write("contracts.csv", kHeader + kContract.toUtf8() + '\n');
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
        EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join("\n").toStdString();
        const std::vector<ContractPtr> contracts = contractsOf("880002");
        ASSERT_EQ(contracts.size(), 1u);
        const ttservice::CRepurchaseAgreementContractInfo &c = *contracts[0];
        EXPECT_EQ(utils::dateFromNumber(c.firstSettleDate), tradingDate.addDays(-10));
        EXPECT_EQ(utils::dateFromNumber(c.maturitySettleDate), tradingDate.addDays(20));
        EXPECT_EQ(c.repurchaseDays, 30);
        EXPECT_EQ(c.accountInfo, TC::getUserConfig()->getAccountData("880002")->getAccountInfo());
        EXPECT_EQ(c.market, "SH");
        EXPECT_EQ(c.direction, 50);
        EXPECT_EQ(c.contractStatus, 56);
        EXPECT_DOUBLE_EQ(c.repurchaseAmount, 10000000.0);
        EXPECT_DOUBLE_EQ(c.repurchaseRate, 0.024);
        EXPECT_DOUBLE_EQ(c.conversionRatio, 0.85);
        EXPECT_DOUBLE_EQ(c.maturitySettleAmount, 10019726.03);
        EXPECT_EQ(
            std::vector<std::string>({ c.dealer, c.tradingEntity, c.trader, c.counterpartyDealer,
                                       c.counterpartyDealerName, c.counterpartyEntity,
                                       c.counterpartyTrader, c.referenceNo, c.supplementaryTerms }),
            std::vector<std::string>({ "1001", "100102", "T002", "1004", "远川银行", "100401",
                                       "T301", "YD001", "到期一次结清" }));
        ASSERT_EQ(c.pledgedBonds.size(), 2u);
        const ttservice::CRepurchasePledgedBond &bond = *c.pledgedBonds[1];
        EXPECT_EQ(bond.market + bond.bondCode + bond.bondName, "SH12200106澜岳能源债");
        EXPECT_EQ(bond.pledgeVolume, 40000);
    }
}

TEST_F(SimulatedContractsTest, malformedLinesAreReportedWithFileLineAndReason)
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
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_EQ(host.warnings(), expected);
    EXPECT_EQ(contractsOf("880002").size(), 1u);
    EXPECT_TRUE(contractsOf("880001").empty());
}

TEST_F(SimulatedContractsTest, missingContractsFileLeavesTheAccountsWithoutContracts)
{
    const QString data = path("data");
    QDir().mkpath(data);
    const QDir shipped(QStringLiteral(FICC_APP_DATA_DIR));
    for (const QString &name : shipped.entryList(QDir::Files)) {
        if (name != QLatin1String("contracts.csv")) {
            ASSERT_TRUE(QFile::copy(shipped.filePath(name), QDir(data).filePath(name)));
        }
    }
    app::CSimulatedHost host;
    QString error;
    ASSERT_TRUE(host.load(data, dir.path(), &error)) << error.toStdString();
    EXPECT_EQ(host.warnings(),
              QStringList({ "contracts.csv: cannot read, no agreement contracts" }));
    for (const TC::CAccountPtr &account : TC::getUserConfig()->getAccountDatas())
        EXPECT_TRUE(contractsOf(account->getKey()).empty()) << account->getKey();
    EXPECT_NE(paper::position("SH", "019547"), nullptr) << "the positions are loaded";
}

// The turn-deal list needs intention orders of both directions; a bad line is
// reported and the rest still load.
TEST_F(SimulatedContractsTest, shippedIntentionOrdersLoadWithMaturityFromTheTradingDate)
{
    // One host at a time on a configuration directory: the second would find
    // the paper book in use.
    {
        app::CSimulatedHost host;
        ASSERT_TRUE(load(host));
        EXPECT_TRUE(host.warnings().isEmpty()) << host.warnings().join('\n').toStdString();
        const auto orders = paper::records<ttservice::CRepurchaseIntentionOrder>(
            ttservice::DATA_TYPE_INTENTION_ORDER);
        ASSERT_FALSE(orders.empty());
        std::set<int> directions;
        for (const auto &o : orders) {
            ASSERT_TRUE(o);
            directions.insert(o->direction);
            EXPECT_EQ(utils::dateFromNumber(o->maturitySettleDate),
                      kTradingDay.addDays(o->repurchaseDays));
            EXPECT_NEAR(o->maturitySettleAmount,
                        o->repurchaseAmount * (1 + o->repurchaseRate * o->repurchaseDays / 365),
                        0.006);
        }
        EXPECT_EQ(directions, (std::set<int> { '0', '1' }));
    }

    write("intention_orders.csv",
          "header\nYX1,880001,SH,1,019547,100,T1,1004,远川银行,1000000,0.02,0.9,7\n"
          "YX2,880001,SH,2,019547,100,T1,1004,远川银行,1000000,0.02,0.9,7\n"
          "YX3,990001,SH,1,019547,100,T1,1004,远川银行,1000000,0.02,0.9,7\n"
          "YX4,880001,SH,1,019547,100,T1,1004,远川银行,1000000,0.02,0.9,400\n");
    TC::resetHostForTests();
    TC::setConfigDir(dir.path());
    TC::CHostClock::setToday(kTradingDay);
    app::CSimulatedHost again;
    ASSERT_TRUE(load(again));
    EXPECT_EQ(again.warnings(),
              QStringList({ "intention_orders.csv:3: direction is neither 0 nor 1",
                            "intention_orders.csv:4: unknown account \"990001\"",
                            "intention_orders.csv:5: a number is missing or out of range" }));
}
