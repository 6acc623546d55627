#include "../../host/xp/QtPrinters.h"
#include "HostFixture.h"

#include "spot/CSpotOrderRules.h"
#include "tc/CItCommandCenter.h"
#include "tc/CTradeClient.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <boost/make_shared.hpp>

#include <functional>

using TC::CSpotOrderRules;

namespace {

class SpotOrderRulesTest : public HostFixture
{
protected:
    // An order the logged-in account can place: 1000 张 of SH 019547 at 100.
    static CSpotOrderRules::Input validInput()
    {
        CSpotOrderRules::Input in;
        in.accountKey = kLoggedInAccount;
        in.stockCode = QStringLiteral("019547");
        in.agreementNo = QStringLiteral("123");
        in.priceText = QStringLiteral("100.000");
        in.quantityText = QStringLiteral("1000");
        in.counterpartyTrader = QStringLiteral("张三");
        in.fullPrice = 100.0 + kAccruedSH019547;
        return in;
    }

    static QString checkError(const CSpotOrderRules::Input &in)
    {
        QString error;
        EXPECT_FALSE(CSpotOrderRules::checkInput(in, error));
        return error;
    }

    static QString buildError(const CSpotOrderRules::Input &in, ttservice::EOperationType side,
                              const std::string &instruction = std::string())
    {
        std::vector<ttservice::CCodeOrderParam> orders(1);
        QString error;
        EXPECT_FALSE(CSpotOrderRules::buildOrders(in, side, instruction, orders, error));
        EXPECT_TRUE(orders.empty());
        return error;
    }

    static ttservice::CCodeOrderParam built(const CSpotOrderRules::Input &in,
                                            ttservice::EOperationType side,
                                            const std::string &instruction = std::string())
    {
        std::vector<ttservice::CCodeOrderParam> orders;
        QString error;
        EXPECT_TRUE(CSpotOrderRules::buildOrders(in, side, instruction, orders, error))
            << error.toStdString();
        EXPECT_EQ(orders.size(), 1u);
        return orders.empty() ? ttservice::CCodeOrderParam() : orders.front();
    }

    // Registers an instruction allowing `volume` 张 of SH 019547 for the logged-in account.
    int addInstruction(ttservice::EOperationType side, long long volume, double placed)
    {
        auto instruction = boost::make_shared<ttservice::COrderCommand>();
        ttservice::CCodeOrderParam allowed;
        allowed.accountInfo = account(kLoggedInAccount)->getAccountInfo();
        allowed.stock.market = "SH";
        allowed.stock.stockCode = "019547";
        allowed.operationType = side;
        allowed.volume = volume;
        allowed.placedVolume = placed;
        instruction->orders.push_back(allowed);
        utils::CManualSingletonT<TC::CItCommandCenter>::instance()->addCommand(instruction);
        return instruction->commandNo;
    }
};

} // namespace

TEST_F(SpotOrderRulesTest, checksStopAtTheFirstFailureInFormOrder)
{
    // Start with everything wrong and put the form right one check at a time.
    CSpotOrderRules::Input in;
    in.stockCode.clear();
    in.quantityText = QStringLiteral("0");
    in.priceText = QStringLiteral("0.000");
    struct Step
    {
        QString message;
        std::function<void(CSpotOrderRules::Input &)> fix;
    };
    const std::vector<Step> steps = {
        { "没有选择账号, 无法下单!", [](auto &i) { i.accountKey = "99999"; } },
        { "账号 [99999] 不存在, 无法下单!", [](auto &i) { i.accountKey = kRefreshingAccount; } },
        { "账号 [A-10003] 正在刷新, 无法下单!", [](auto &i) { i.accountKey = kLoggedOutAccount; } },
        { "账号 [10002] 尚未登录, 无法下单!", [](auto &i) { i.accountKey = kLoggedInAccount; } },
        { "没有输入证券代码, 无法下单!", [](auto &i) { i.stockCode = "019547"; } },
        { "没有填写约定号, 无法下单!", [](auto &i) { i.agreementNo = "99"; } },
        { "约定号:请输入100~999之间的整数!", [](auto &i) { i.agreementNo = "012"; } },
        { "委托价为0, 无法下单!", [](auto &i) { i.priceText.clear(); } },
        { "没有输入委托价, 无法下单!", [](auto &i) { i.priceText = "99.5"; } },
        { "委托数量为0, 无法下单!", [](auto &i) { i.quantityText.clear(); } },
        { "没有输入委托数量, 无法下单!", [](auto &i) { i.quantityText = "30"; } },
        { "没有输入对方交易员, 无法下单!", [](auto &i) { i.counterpartyTrader = "李四"; } },
    };
    for (const Step &step : steps) {
        EXPECT_EQ(checkError(in), step.message);
        step.fix(in);
    }
    QString error;
    EXPECT_TRUE(CSpotOrderRules::checkInput(in, error)) << error.toStdString();

    // Any login state but logged in and refreshing counts as not logged in.
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(
        kLoggedInAccount, static_cast<ttservice::EBROKER_LOGIN_STATUS>(3));
    EXPECT_EQ(checkError(in), "账号 [10001] 尚未登录, 无法下单!");
}

TEST_F(SpotOrderRulesTest, missingEditorsAndOtherMarketsSkipTheirChecks)
{
    CSpotOrderRules::Input in = validInput();
    QString error;
    in.hasAgreementEditor = false;
    in.agreementNo.clear();
    in.stockCode = "101901"; // SZ: the agreement number is only checked while editing
    EXPECT_TRUE(CSpotOrderRules::checkInput(in, error)) << error.toStdString();

    in = validInput();
    in.hasCodeEditor = false;
    in.stockCode.clear();
    EXPECT_TRUE(CSpotOrderRules::checkInput(in, error)) << error.toStdString();

    in = validInput();
    in.stockCode = "999999"; // not listed: no market rule
    in.agreementNo = "abc";
    EXPECT_TRUE(CSpotOrderRules::checkInput(in, error)) << error.toStdString();

    in = validInput();
    in.agreementNo = "1000";
    EXPECT_EQ(checkError(in), "约定号:请输入100~999之间的整数!");
    in.quantityText = "99999999999"; // beyond an int: reads as 0, after the agreement check
    in.agreementNo = "999";
    EXPECT_EQ(checkError(in), "委托数量为0, 无法下单!");
    in.quantityText = "1000";
    in.priceText = "0.000009";
    EXPECT_EQ(checkError(in), "委托价为0, 无法下单!");
    in.priceText = "abc";
    EXPECT_EQ(checkError(in), "委托价为0, 无法下单!");
}

TEST_F(SpotOrderRulesTest, agreementNumberTipsFollowTheExchange)
{
    const QString sh = QStringLiteral("请输入100~999之间的整数!");
    const QString sz = QStringLiteral("请输入0~999999之间的整数!");
    for (const char *ok : { "012", "100", "999" })
        EXPECT_EQ(CSpotOrderRules::agreementNoTip("SH", ok), QString()) << ok;
    for (const char *bad : { "", "12", "1234", "12a", " 123" })
        EXPECT_EQ(CSpotOrderRules::agreementNoTip("SH", bad), sh) << bad;
    for (const char *ok : { "0", "1234567", "999999" })
        EXPECT_EQ(CSpotOrderRules::agreementNoTip("SZ", ok), QString()) << ok;
    for (const char *bad : { "", "12345678", "-1", "1.5" })
        EXPECT_EQ(CSpotOrderRules::agreementNoTip("SZ", bad), sz) << bad;
    EXPECT_EQ(CSpotOrderRules::agreementNoTip("HK", "anything"), QString());
}

TEST_F(SpotOrderRulesTest, amountsAddAccruedInterestPerUnit)
{
    const CSpotOrderRules::Amounts a = CSpotOrderRules::amounts(100.5, 30, 1.2345);
    EXPECT_DOUBLE_EQ(a.fullPrice, 101.7345);
    EXPECT_DOUBLE_EQ(a.totalAccruedInterest, 37.035);
    EXPECT_DOUBLE_EQ(a.settlementAmount, 3052.035);
    const CSpotOrderRules::Amounts none = CSpotOrderRules::amounts(99.0, 0, 0.875);
    EXPECT_DOUBLE_EQ(none.fullPrice, 99.875);
    EXPECT_DOUBLE_EQ(none.totalAccruedInterest, 0.0);
    EXPECT_DOUBLE_EQ(none.settlementAmount, 0.0);
}

TEST_F(SpotOrderRulesTest, quantityIsCappedAndRoundedDownToLots)
{
    EXPECT_EQ(CSpotOrderRules::orderVolume(25, 1000), 20);
    EXPECT_EQ(CSpotOrderRules::orderVolume(100, 9), 0);
    EXPECT_EQ(CSpotOrderRules::orderVolume(1000, 35), 30);
    EXPECT_EQ(CSpotOrderRules::orderVolume(10, 10), 10);
    EXPECT_EQ(CSpotOrderRules::orderVolume(9, 1000), 0);
    EXPECT_EQ(CSpotOrderRules::orderVolume(-50, 1000), 0);
    EXPECT_EQ(CSpotOrderRules::orderVolume(2147483647, 9000000000000000000LL), 2147483640);
}

TEST_F(SpotOrderRulesTest, buyOrderCarriesEveryFieldOfTheForm)
{
    CSpotOrderRules::Input in = validInput();
    in.quantityText = "25";
    const ttservice::CCodeOrderParam order = built(in, ttservice::OPERATION_TYPE_BUY);
    ASSERT_TRUE(order.accountInfo);
    EXPECT_EQ(order.accountInfo->accountId, kLoggedInAccount);
    EXPECT_EQ(order.operationType, ttservice::OPERATION_TYPE_BUY);
    EXPECT_EQ(order.userName, "trader01");
    EXPECT_EQ(order.stock.market, "SH");
    EXPECT_EQ(order.stock.stockCode, "019547");
    EXPECT_EQ(order.stock.stockName, "国债1901");
    EXPECT_EQ(order.stock.instrumentTag, "SH019547");
    EXPECT_EQ(order.orderKind, 49);
    EXPECT_EQ(order.priceMode, 11);
    EXPECT_DOUBLE_EQ(order.price, 100.0) << "the clean price is ordered";
    EXPECT_EQ(order.volume, 20);
    EXPECT_EQ(order.counterpartyTrader, "张三");
    EXPECT_EQ(order.agreementNo, 123);

    // Funds of 1,000,000 at the full price of 101.2345 buy 9878 张: 9870 in lots.
    in.quantityText = "100000";
    EXPECT_EQ(built(in, ttservice::OPERATION_TYPE_BUY).volume, 9870);
}

TEST_F(SpotOrderRulesTest, sellOrderIsCappedByTheUsablePosition)
{
    CSpotOrderRules::Input in = validInput();
    in.quantityText = "20000";
    const ttservice::CCodeOrderParam order = built(in, ttservice::OPERATION_TYPE_SELL);
    EXPECT_EQ(order.operationType, ttservice::OPERATION_TYPE_SELL);
    EXPECT_EQ(order.volume, 12340);
    in.stockCode = "122000"; // not held
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_SELL), "可卖量为0, 无法下单!");
}

TEST_F(SpotOrderRulesTest, ordersFailWithTheirMessages)
{
    CSpotOrderRules::Input in = validInput();
    in.quantityText = "9";
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_BUY), "可下单量不足, 无法下单!");

    in = validInput();
    in.accountKey = kLoggedOutAccount; // no funds record
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_BUY), "可买量为0, 无法下单!");

    in = validInput();
    in.fullPrice = 0.0;
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_BUY), "可买量为0, 无法下单!");

    in = validInput();
    in.accountKey = "gone";
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_BUY), "账号列表丢失!");
    ttservice::TraderCenter::instance()->getDataCenter()->clear();
    EXPECT_EQ(buildError(validInput(), ttservice::OPERATION_TYPE_BUY), "账号列表丢失!");
}

TEST_F(SpotOrderRulesTest, unlistedCodeBuildsAnOrderWithoutStock)
{
    CSpotOrderRules::Input in = validInput();
    in.stockCode = "999999";
    in.agreementNo = "77777";
    const ttservice::CCodeOrderParam order = built(in, ttservice::OPERATION_TYPE_BUY);
    EXPECT_TRUE(order.stock.market.empty());
    EXPECT_TRUE(order.stock.stockCode.empty());
    EXPECT_EQ(order.volume, 1000);
    EXPECT_EQ(order.agreementNo, 77777);
}

TEST_F(SpotOrderRulesTest, instructionLimitsTheRemainingQuantity)
{
    // 500 allowed, 279.5 placed: 280 counts as placed, 220 remain.
    const int no = addInstruction(ttservice::OPERATION_TYPE_BUY, 500, 279.5);
    const std::string key = std::to_string(no);
    CSpotOrderRules::Input in = validInput();
    in.quantityText = "230";
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_BUY, key),
              QStringLiteral("账号 10001 下单量超出指令 %1 允许的剩余最大下单量 220 , 下单无法完成")
                  .arg(no));
    in.quantityText = "229"; // 220 after rounding to lots
    EXPECT_EQ(built(in, ttservice::OPERATION_TYPE_BUY, key).volume, 220);

    // The other side is not within the instruction.
    EXPECT_EQ(buildError(in, ttservice::OPERATION_TYPE_SELL, key),
              "当前下单参数不属于指令范围, 下单无法完成");

    // Nothing placed yet: the whole volume remains.
    const std::string fresh = std::to_string(
        addInstruction(ttservice::OPERATION_TYPE_SELL, 500, ttservice::kUnsetDouble));
    in.quantityText = "500";
    EXPECT_EQ(built(in, ttservice::OPERATION_TYPE_SELL, fresh).volume, 500);
    in.quantityText = "510";
    EXPECT_FALSE(buildError(in, ttservice::OPERATION_TYPE_SELL, fresh).isEmpty());

    // Instructions the command centre does not know leave the order alone.
    for (const char *unknown : { "", "4711", "abc" })
        EXPECT_EQ(built(in, ttservice::OPERATION_TYPE_SELL, unknown).volume, 510) << unknown;
}

TEST_F(SpotOrderRulesTest, orderableQuantitiesNeedAUsablePriceToBuy)
{
    const auto data = accountData(kLoggedInAccount);
    const auto bond = makeBond("SH", "019547", "国债1901", kAccruedSH019547);
    bool fresh = false;
    TC::CCanOrderNum num = CSpotOrderRules::canOrderNum(data, *bond, 100.0, 101.2345, &fresh);
    EXPECT_TRUE(fresh);
    EXPECT_EQ(num.buyVolume, 9870);
    EXPECT_EQ(num.sellVolume, 12340);

    // An invalid full price: no purchase, but the position is still reported.
    num = CSpotOrderRules::canOrderNum(data, *bond, 100.0, ttservice::kUnsetDouble, &fresh);
    EXPECT_FALSE(fresh);
    EXPECT_EQ(num.buyVolume, 0);
    EXPECT_EQ(num.sellVolume, 12340);

    num = CSpotOrderRules::canOrderNum(data, *bond, 0.000001, 101.2345, &fresh);
    EXPECT_FALSE(fresh);
    EXPECT_EQ(num.buyVolume, 0);

    num = CSpotOrderRules::canOrderNum(ttservice::CAccountDataPtr(), *bond, 100.0, 101.0, &fresh);
    EXPECT_TRUE(fresh);
    EXPECT_EQ(num.buyVolume, 0);
    EXPECT_EQ(num.sellVolume, 0);
}
