// The paper exchange behind the demo terminal: orders handed to the command
// centre change the accounts' records, or are refused with a message and
// change nothing.
#include "CPaperExchange.h"
#include "TerminalFixture.h"

#include "tc/CHostClock.h"
#include "tc/CItCommandCenter.h"
#include "tc/CMsgService.h"
#include "tc/CUserManager.h"
#include "ttservice/CAccountData.h"
#include "ttservice/CAccountDetail.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/CRepurchaseAgreementContractInfo.h"
#include "ttservice/CRepurchaseAgreementParam.h"
#include "ttservice/CRepurchaseIntentionOrder.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <boost/make_shared.hpp>
#include <boost/pointer_cast.hpp>

#include <atomic>
#include <functional>

namespace {

using ttservice::CCodeOrderParam;
using ttservice::CRepurchaseAgreementParam;

ttservice::CAccountDataPtr account(const std::string &id = "880001")
{
    return ttservice::TraderCenter::instance()->getDataCenter()->getAccountData(id);
}

double funds(const std::string &id = "880001")
{
    return account(id)->getAccountDetail()->availableFunds;
}

ttservice::CPositionStaticsPtr position(const std::string &market, const std::string &code)
{
    return boost::dynamic_pointer_cast<ttservice::CPositionStatics>(account()->getData(
        ttservice::DATA_TYPE_POSITION_STATICS, market + ttservice::KEY_SPLITTER + code));
}

template<class T> std::vector<boost::shared_ptr<T>> records(int type)
{
    std::vector<ttservice::IDataPtr> all;
    account()->getVector(type, all);
    std::vector<boost::shared_ptr<T>> out;
    for (const ttservice::IDataPtr &record : all)
        out.push_back(boost::dynamic_pointer_cast<T>(record));
    return out;
}

// Everything of the account the exchange may change, as one comparable text.
std::string snapshot()
{
    std::string text = std::to_string(funds());
    for (int type :
         { ttservice::DATA_TYPE_POSITION_STATICS, ttservice::DATA_TYPE_AGREEMENT_CONTRACT,
           ttservice::DATA_TYPE_INTENTION_ORDER }) {
        std::vector<ttservice::IDataPtr> all;
        account()->getVector(type, all);
        for (const ttservice::IDataPtr &record : all)
            text += '|' + record->toBson().toString();
    }
    return text;
}

CCodeOrderParam spotOrder(int operation, const std::string &market, const std::string &code,
                          double price, long long volume, const std::string &counterparty)
{
    CCodeOrderParam order;
    order.accountInfo = account()->getAccountInfo();
    order.operationType = static_cast<ttservice::EOperationType>(operation);
    order.stock.market = market;
    order.stock.stockCode = code;
    order.price = price;
    order.priceMode = 11;
    order.volume = volume;
    order.counterpartyTrader = counterparty;
    return order;
}

// A deal declaration pledging `volume` 张 of `code` to desk 1002 / T101.
CCodeOrderParam dealOrder(const std::string &code, long long volume,
                          const std::function<void(CRepurchaseAgreementParam &)> &change = {})
{
    CCodeOrderParam order;
    order.accountInfo = account()->getAccountInfo();
    order.operationType = static_cast<ttservice::EOperationType>(1045);
    order.stock.market = "SH";
    order.stock.stockCode = "204007";
    order.volume = volume;
    order.paramKind = 2;
    CRepurchaseAgreementParam agreement;
    agreement.bondMarket = "SH";
    agreement.bondCode = code;
    agreement.trader = "T1";
    agreement.dealer = "D1";
    agreement.counterpartyDealer = "1002";
    agreement.counterpartyTrader = "T101";
    agreement.repurchaseAmount = 80000;
    agreement.repurchaseRate = 0.021;
    agreement.conversionRatio = 0.8;
    agreement.repurchaseDays = 7;
    if (change)
        change(agreement);
    order.price = agreement.repurchaseRate;
    order.agreementParam = agreement.toBson();
    return order;
}

class PaperExchangeTest : public TerminalFixture
{
protected:
    void SetUp() override
    {
        TerminalFixture::SetUp();
        write("host.ini", QByteArray("[exchange]\nanswerDelayMs=") + answerDelay() + "\n");
        ASSERT_TRUE(load(host));
        // The exchange dates its deals by the host clock, on the trading day
        // the seed files count from, as the trading-day watch sets it.
        TC::CHostClock::setToday(app::CSimulatedHost::seedTradingDate());
        host.start();
        ASSERT_NE(host.exchange(), nullptr);
        utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
    }
    virtual QByteArray answerDelay() const { return "0"; }

    void send(const std::vector<CCodeOrderParam> &orders)
    {
        ASSERT_TRUE(sendCommand(orders));
        ASSERT_TRUE(host.exchange()->waitUntilIdle(10000));
    }

    app::CSimulatedHost host;
};

} // namespace

TEST_F(PaperExchangeTest, spotOrdersWithADeskFillAtTheirPriceAndPushFundsAndPosition)
{
    std::atomic<int> positionPushes { 0 }, fundPushes { 0 };
    const auto positions
        = account()->subscribe(ttservice::DATA_TYPE_POSITION_STATICS, "",
                               [&](const ttservice::IDataPtr &) { ++positionPushes; });
    const auto detail = account()->subscribe(ttservice::DATA_TYPE_ACCOUNT_DETAIL, "",
                                             [&](const ttservice::IDataPtr &) { ++fundPushes; });
    ASSERT_DOUBLE_EQ(funds(), 52000000.00);

    // 1,000 张 at 101.25 plus 1.8765 accrued: 103,126.50, from the desk's trader code.
    send({ spotOrder(1052, "SZ", "101501", 101.25, 1000, "T101") });
    EXPECT_DOUBLE_EQ(funds(), 51896873.50);
    EXPECT_EQ(position("SZ", "101501")->usableVolume, 51000);
    EXPECT_EQ(position("SZ", "101501")->totalVolume, 51000);

    // A sale to a desk named by its trader's name: 2,000 张 at 99.5 plus 1.2345.
    send({ spotOrder(1053, "SH", "019547", 99.5, 2000, "宋知微") });
    EXPECT_DOUBLE_EQ(funds(), 51896873.50 + 201469.00);
    EXPECT_EQ(position("SH", "019547")->usableVolume, 118000);

    // A bond the account did not hold becomes a position of its own.
    ASSERT_EQ(position("SH", "019666"), nullptr);
    send({ spotOrder(1052, "SH", "019666", 100, 10, "T301") });
    ASSERT_NE(position("SH", "019666"), nullptr);
    EXPECT_EQ(position("SH", "019666")->usableVolume, 10);
    EXPECT_EQ(position("SH", "019666")->instrumentName, "22国债01");

    EXPECT_EQ(positionPushes, 3);
    EXPECT_EQ(fundPushes, 3);
    EXPECT_EQ(messageTexts().filter(QStringLiteral("成交: 880001 ")).size(), 3)
        << messageTexts().join('\n').toStdString();
}

TEST_F(PaperExchangeTest, refusedOrdersSayWhyAndChangeNothing)
{
    const auto deal = [](const std::function<void(CRepurchaseAgreementParam &)> &change) {
        return dealOrder("019547", 1000, change);
    };
    CCodeOrderParam strangerAccount = spotOrder(1052, "SH", "019547", 100, 10, "T101");
    strangerAccount.accountInfo = boost::make_shared<ttservice::CAccountInfo>();
    strangerAccount.accountInfo->accountId = "990099";
    CCodeOrderParam noAgreement = dealOrder("019547", 1000);
    noAgreement.agreementParam = bson::BSONObj();

    const struct
    {
        const char *what;
        CCodeOrderParam order;
        const char *message;
    } cases[] = {
        { "spot: unknown counterparty", spotOrder(1052, "SH", "019547", 100, 10, "Nobody"),
          "委托被拒绝: 对手方 Nobody 不是模拟交易台" },
        { "spot: unknown bond", spotOrder(1052, "SH", "999999", 100, 10, "T101"),
          "委托被拒绝: SH 999999 不是上市债券" },
        { "spot: no quantity", spotOrder(1052, "SH", "019547", 100, 0, "T101"),
          "委托被拒绝: 数量必须大于0" },
        { "spot: negative price", spotOrder(1053, "SH", "019547", -1, 10, "T101"),
          "委托被拒绝: 价格必须大于0" },
        { "spot: beyond the funds", spotOrder(1052, "SH", "019547", 100, 1000000, "T101"),
          "委托被拒绝: 可用资金不足: 需要 101234500.00, 可用 52000000.00" },
        { "spot: beyond the position", spotOrder(1053, "SH", "019547", 100, 120001, "T101"),
          "委托被拒绝: 019547 16国债19 可用数量不足: 需要 120001 张, 可用 120000 张" },
        { "unknown account", strangerAccount, "委托被拒绝: 账户 990099 不存在" },
        { "deal: no agreement part", noAgreement, "委托被拒绝: 委托缺少协议回购参数" },
        { "deal: unknown desk",
          deal([](CRepurchaseAgreementParam &a) { a.counterpartyDealer = "9999"; }),
          "委托被拒绝: 对手方 9999 T101 不是模拟交易台" },
        { "deal: trader of another desk",
          deal([](CRepurchaseAgreementParam &a) { a.counterpartyTrader = "T201"; }),
          "委托被拒绝: 对手方 1002 T201 不是模拟交易台" },
        { "deal: zero amount", deal([](CRepurchaseAgreementParam &a) { a.repurchaseAmount = 0; }),
          "委托被拒绝: 回购金额必须大于0" },
        { "deal: no amount",
          deal([](CRepurchaseAgreementParam &a) { a.repurchaseAmount = ttservice::kUnsetDouble; }),
          "委托被拒绝: 回购金额必须大于0" },
        { "deal: rate typed as a percentage",
          deal([](CRepurchaseAgreementParam &a) { a.repurchaseRate = 2.1; }),
          "委托被拒绝: 回购利率必须在0%~100%之间" },
        { "deal: no term",
          deal([](CRepurchaseAgreementParam &a) { a.repurchaseDays = ttservice::kUnsetInt; }),
          "委托被拒绝: 回购天数必须在1~365之间" },
        { "deal: term past a year",
          deal([](CRepurchaseAgreementParam &a) { a.repurchaseDays = 366; }),
          "委托被拒绝: 回购天数必须在1~365之间" },
        { "deal: unknown bond", dealOrder("999999", 1000),
          "委托被拒绝: 质押券 SH 999999 不是上市债券" },
        { "deal: nothing pledged", dealOrder("019547", 0), "委托被拒绝: 质押数量必须大于0" },
        { "deal: more pledged than available", dealOrder("019547", 120001),
          "委托被拒绝: 019547 16国债19 可用数量不足: 需要 120001 张, 可用 120000 张" },
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
        const std::string before = snapshot();
        send({ c.order });
        EXPECT_EQ(messageTexts(), QStringList { QString::fromUtf8(c.message) });
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(PaperExchangeTest, anAcceptedDealBecomesARunningContractWithItsBondPledged)
{
    std::atomic<int> positionPushes { 0 }, contractPushes { 0 };
    const auto positions
        = account()->subscribe(ttservice::DATA_TYPE_POSITION_STATICS, "SH|019547",
                               [&](const ttservice::IDataPtr &) { ++positionPushes; });
    const auto contracts
        = account()->subscribe(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, "",
                               [&](const ttservice::IDataPtr &) { ++contractPushes; });
    const size_t before = records<ttservice::CRepurchaseAgreementContractInfo>(788).size();

    send({ dealOrder("019547", 1000) });

    const auto all = records<ttservice::CRepurchaseAgreementContractInfo>(788);
    ASSERT_EQ(all.size(), before + 1);
    const auto contract = all.back();
    const QDate trading = app::CSimulatedHost::seedTradingDate();
    const auto number = [](const QDate &d) { return d.year() * 10000 + d.month() * 100 + d.day(); };
    EXPECT_EQ(contract->contractNo, "PX" + std::to_string(number(trading)) + "0001");
    EXPECT_EQ(contract->contractStatus, '1');
    EXPECT_EQ(contract->direction, '1');
    EXPECT_EQ(contract->firstSettleDate, number(trading));
    EXPECT_EQ(contract->maturitySettleDate, number(trading.addDays(7)));
    EXPECT_EQ(contract->repurchaseDays, 7);
    EXPECT_DOUBLE_EQ(contract->repurchaseAmount, 80000);
    EXPECT_DOUBLE_EQ(contract->maturitySettleAmount, 80032.22);
    EXPECT_EQ(contract->counterpartyDealerName, "青屿证券");
    EXPECT_EQ(contract->counterpartyTrader, "T101");
    ASSERT_EQ(contract->pledgedBonds.size(), 1u);
    EXPECT_EQ(contract->pledgedBonds[0]->bondCode, "019547");
    EXPECT_EQ(contract->pledgedBonds[0]->bondName, "16国债19");
    EXPECT_EQ(contract->pledgedBonds[0]->pledgeVolume, 1000);
    EXPECT_EQ(contract->accountInfo, account()->getAccountInfo());

    // The bond stays held but is no longer available; the repo side has the money.
    EXPECT_EQ(position("SH", "019547")->usableVolume, 119000);
    EXPECT_EQ(position("SH", "019547")->totalVolume, 120000);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
    EXPECT_EQ(positionPushes, 1);
    EXPECT_EQ(contractPushes, 1);
    const QStringList told = messageTexts();
    ASSERT_EQ(told.size(), 2) << told.join('\n').toStdString();
    EXPECT_EQ(told[0], QStringLiteral("成交申报已送达对手方 青屿证券 葛书宁"));
    EXPECT_EQ(told[1],
              QStringLiteral("对手方 青屿证券 葛书宁 接受成交申报: 合同 %1, 质押 "
                             "019547 1000 张, 融入 80000.00")
                  .arg(QString::fromStdString(contract->contractNo)));
}

TEST_F(PaperExchangeTest, intentionOrdersOfBothSidesBecomeTheAccountsIntentionOrders)
{
    const size_t before = records<ttservice::CRepurchaseIntentionOrder>(793).size();
    const struct
    {
        int operation;
        const char *bond;
        long long volume;
        int direction;
        const char *pledged;
    } cases[] = { { 1063, "019547", 500, '0', "019547 16国债19" }, { 1064, "", 0, '1', "" } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.operation);
        CCodeOrderParam order = dealOrder(c.bond, c.volume, [](CRepurchaseAgreementParam &a) {
            a.repurchaseAmount = 50000;
            a.repurchaseRate = 0.02;
            a.repurchaseDays = 14;
        });
        order.operationType = static_cast<ttservice::EOperationType>(c.operation);
        const double fundsBefore = funds();
        send({ order });
        const auto all = records<ttservice::CRepurchaseIntentionOrder>(793);
        ASSERT_EQ(all.size(), before + (c.operation == 1063 ? 1 : 2));
        const auto intention = all.back();
        EXPECT_EQ(intention->direction, c.direction);
        EXPECT_EQ(intention->pledgedBond, c.pledged);
        EXPECT_EQ(intention->pledgedBondVolume, c.volume);
        EXPECT_EQ(intention->repurchaseDays, 14);
        EXPECT_DOUBLE_EQ(intention->maturitySettleAmount, 50038.36);
        EXPECT_EQ(intention->trader, "T1");
        EXPECT_DOUBLE_EQ(funds(), fundsBefore) << "an intention moves no money";
    }
    EXPECT_EQ(position("SH", "019547")->usableVolume, 120000) << "nor bonds";
}

namespace {
class SlowDeskTest : public PaperExchangeTest
{
protected:
    QByteArray answerDelay() const override { return "300"; }
};
} // namespace

TEST_F(SlowDeskTest, theDeskChecksThePositionAgainWhenItAnswers)
{
    // Each declaration fits the 120,000 张 alone; the desk answers after both
    // were declared, so the second one no longer fits.
    send({ dealOrder("019547", 70000), dealOrder("019547", 70000, [](CRepurchaseAgreementParam &a) {
               a.repurchaseRate = 0.022;
           }) });
    const QStringList told = messageTexts();
    ASSERT_EQ(told.size(), 4) << told.join('\n').toStdString();
    EXPECT_EQ(told[0], told[1]);
    EXPECT_TRUE(told[2].contains(QStringLiteral("接受成交申报")));
    EXPECT_EQ(told[3],
              QStringLiteral("委托被拒绝: 019547 16国债19 可用数量不足: 需要 70000 张, "
                             "可用 50000 张"));
    EXPECT_EQ(position("SH", "019547")->usableVolume, 50000);
    EXPECT_DOUBLE_EQ(funds(), 52080000.00);
}

namespace {

CCodeOrderParam contractOrder(int operation, const std::string &contractNo, double amount)
{
    CCodeOrderParam order = dealOrder("019547", 1000, [&](CRepurchaseAgreementParam &a) {
        a.contractNo = contractNo;
        a.repurchaseAmount = amount;
    });
    order.operationType = static_cast<ttservice::EOperationType>(operation);
    return order;
}

QDate dateOf(int number)
{
    return QDate(number / 10000, number / 100 % 100, number % 100);
}

} // namespace

TEST_F(PaperExchangeTest, earlyRepurchaseAndReleaseCloseContractsOnlyInTheirState)
{
    send({ dealOrder("019547", 1000), dealOrder("019547", 2000) });
    const auto all = records<ttservice::CRepurchaseAgreementContractInfo>(788);
    ASSERT_GE(all.size(), 2u);
    const auto first = all[all.size() - 2];
    const auto second = all.back();
    const std::string no1 = first->contractNo, no2 = second->contractNo;
    const QString maturity = QString::number(first->maturitySettleDate);
    ASSERT_EQ(position("SH", "019547")->usableVolume, 117000);
    ASSERT_DOUBLE_EQ(funds(), 52160000.00);
    const auto contract = [](const std::string &no) {
        return boost::dynamic_pointer_cast<ttservice::CRepurchaseAgreementContractInfo>(
            account()->getData(ttservice::DATA_TYPE_AGREEMENT_CONTRACT, no));
    };

    const auto refusedWith = [&](const CCodeOrderParam &order, const QString &message) {
        utils::CManualSingletonT<TC::CMsgService>::instance()->clear();
        const std::string before = snapshot();
        send({ order });
        EXPECT_EQ(messageTexts(), QStringList { message });
        EXPECT_EQ(snapshot(), before);
    };
    // On the day of the deal the first settlement has not passed yet.
    TC::CHostClock::setToday(dateOf(first->firstSettleDate));
    refusedWith(contractOrder(1048, no1, 80032.22),
                QStringLiteral("委托被拒绝: 合同 %1 状态为正常, 到期日 %2, 不能提前购回")
                    .arg(QString::fromStdString(no1), maturity));
    // Inside the term the contract cannot be released, nor bought back for nothing.
    TC::CHostClock::setToday(dateOf(first->firstSettleDate).addDays(1));
    refusedWith(contractOrder(1074, no1, 0),
                QStringLiteral("委托被拒绝: 合同 %1 状态为正常, 到期日 %2, 不能解除质押")
                    .arg(QString::fromStdString(no1), maturity));
    refusedWith(contractOrder(1048, no1, 0), QStringLiteral("委托被拒绝: 购回金额必须大于0"));
    refusedWith(contractOrder(1048, "NOPE", 100), QStringLiteral("委托被拒绝: 合同 NOPE 不存在"));

    // Bought back: the repo side pays the amount and has its bonds again.
    send({ contractOrder(1048, no1, 80032.22) });
    EXPECT_EQ(contract(no1)->contractStatus, '3');
    EXPECT_DOUBLE_EQ(funds(), 52160000.00 - 80032.22);
    EXPECT_EQ(position("SH", "019547")->usableVolume, 118000);
    refusedWith(contractOrder(1048, no1, 80032.22),
                QStringLiteral("委托被拒绝: 合同 %1 状态为已购回, 到期日 %2, 不能提前购回")
                    .arg(QString::fromStdString(no1), maturity));

    // Past its maturity the second contract's bonds are released.
    TC::CHostClock::setToday(dateOf(second->maturitySettleDate).addDays(1));
    send({ contractOrder(1074, no2, 80032.22) });
    EXPECT_EQ(contract(no2)->contractStatus, '5');
    EXPECT_EQ(position("SH", "019547")->usableVolume, 120000);
    EXPECT_DOUBLE_EQ(funds(), 52160000.00 - 2 * 80032.22);
    EXPECT_EQ(contract(no2)->pledgedBonds.size(), 1u) << "the contract keeps what it pledged";
}

using DeskFileTest = TerminalFixture;

TEST_F(DeskFileTest, desksOfTheConfigurationDirectoryReplaceTheShippedOnesAndBadLinesAreSaid)
{
    write("desks.csv",
          "dealer,dealerName,trader,traderName\n"
          "# a comment\n"
          "2001,岚桥证券,T901,林未央\n"
          "2002,,,\n"
          "2003,只有名字\n");
    app::CSimulatedHost host;
    ASSERT_TRUE(load(host));
    EXPECT_EQ(host.warnings().filter(QStringLiteral("desks.csv:")),
              (QStringList { "desks.csv:4: a desk needs a dealer and a trader code",
                             "desks.csv:5: a desk needs a dealer and a trader code" }));
    host.start();
    const std::vector<app::CPaperExchange::Desk> &desks = host.exchange()->desks();
    ASSERT_EQ(desks.size(), 1u);
    EXPECT_EQ(desks[0].dealerName, QStringLiteral("岚桥证券"));
    EXPECT_EQ(desks[0].traderName, QStringLiteral("林未央"));
}
