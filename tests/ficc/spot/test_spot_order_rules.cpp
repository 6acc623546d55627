#include "HostFixture.h"
#include "QtPrinters.h"

#include "spot/COpTransactionInCashWidget.h"
#include "spot/CSpotOrderRules.h"
#include "tc/CItCommandCenter.h"
#include "tc/CTradeClient.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/TraderCenter.h"
#include "utils/CSingletonT.h"

#include <boost/make_shared.hpp>

#include <functional>

using TC::CSpotOrderRules;
using Input = CSpotOrderRules::Input;
using ttservice::OPERATION_TYPE_BUY;
using ttservice::OPERATION_TYPE_SELL;

namespace {

using Edit = std::function<void(Input &)>;

class SpotOrderRulesTest : public HostFixture
{
protected:
    // An order the logged-in account can place (1000 张 of SH 019547 at 100), then `edit`.
    static Input validInput(const Edit &edit = Edit())
    {
        Input in;
        in.accountKey = kLoggedInAccount;
        in.stockCode = QStringLiteral("019547");
        in.agreementNo = QStringLiteral("123");
        in.priceText = QStringLiteral("100.000");
        in.quantityText = QStringLiteral("1000");
        in.counterpartyTrader = QStringLiteral("张三");
        in.fullPrice = 100.0 + kAccruedSH019547;
        if (edit)
            edit(in);
        return in;
    }

    // What the form reads from the host for `in`, placed within `instruction`.
    static CSpotOrderRules::Host host(const Input &in, const std::string &instruction = {})
    {
        return TC::COpTransactionInCashWidget::orderHost(in, instruction);
    }

    // The first failed check; empty when the form may be ordered.
    static QString check(const Input &in)
    {
        QString error;
        const bool ok = CSpotOrderRules::checkInput(in, host(in), error);
        EXPECT_EQ(ok, error.isEmpty()) << error.toStdString();
        return error;
    }

    static QString buildError(const Input &in, ttservice::EOperationType side,
                              const std::string &instruction = std::string())
    {
        std::vector<ttservice::CCodeOrderParam> orders(1);
        QString error;
        EXPECT_FALSE(CSpotOrderRules::buildOrders(in, host(in, instruction), side, orders, error));
        EXPECT_TRUE(orders.empty());
        return error;
    }

    static ttservice::CCodeOrderParam built(const Input &in, ttservice::EOperationType side,
                                            const std::string &instruction = std::string())
    {
        std::vector<ttservice::CCodeOrderParam> orders;
        QString error;
        EXPECT_TRUE(CSpotOrderRules::buildOrders(in, host(in, instruction), side, orders, error))
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
    Input in;
    in.quantityText = QStringLiteral("0");
    in.priceText = QStringLiteral("0.000");
    const std::vector<std::pair<QString, Edit>> steps = {
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
        { "", nullptr },
    };
    for (const auto &step : steps) {
        EXPECT_EQ(check(in), step.first);
        if (step.second)
            step.second(in);
    }

    // Any login state but logged in and refreshing counts as not logged in.
    utils::CManualSingletonT<TC::CTradeClient>::instance()->setLoginStatus(
        kLoggedInAccount, static_cast<ttservice::EBROKER_LOGIN_STATUS>(3));
    EXPECT_EQ(check(in), "账号 [10001] 尚未登录, 无法下单!");
}

TEST_F(SpotOrderRulesTest, missingEditorsAndOtherMarketsSkipTheirChecks)
{
    Input in = validInput();
    in.hasAgreementEditor = false;
    in.agreementNo.clear();
    in.stockCode = "101901"; // SZ: the agreement number is only checked while editing
    EXPECT_EQ(check(in), "");
    in = validInput();
    in.hasCodeEditor = false;
    in.stockCode.clear();
    EXPECT_EQ(check(in), "");
    in = validInput();
    in.stockCode = "999999"; // not listed: no market rule
    in.agreementNo = "abc";
    EXPECT_EQ(check(in), "");

    in = validInput();
    in.agreementNo = "1000";
    EXPECT_EQ(check(in), "约定号:请输入100~999之间的整数!");
    in.agreementNo = "999";
    for (const char *price : { "0.000009", "abc" }) {
        in.priceText = price;
        EXPECT_EQ(check(in), "委托价为0, 无法下单!") << price;
    }
}

TEST_F(SpotOrderRulesTest, amountsAddAccruedInterestPerUnitAndQuantitiesRoundDownToLots)
{
    const CSpotOrderRules::Amounts a = CSpotOrderRules::amounts(100.5, 30, 1.2345);
    EXPECT_DOUBLE_EQ(a.fullPrice, 101.7345);
    EXPECT_DOUBLE_EQ(a.totalAccruedInterest, 37.035);
    EXPECT_DOUBLE_EQ(a.settlementAmount, 3052.035);

    // Entered, orderable, ordered.
    const long long lots[][3] = {
        { 25, 1000, 20 },
        { 100, 9, 0 },
        { 1000, 35, 30 },
        { 10, 10, 10 },
        { 9, 1000, 0 },
        { -50, 1000, 0 },
        { 2147483647, 9000000000000000000LL, 2147483640 },
    };
    for (const auto &l : lots)
        EXPECT_EQ(CSpotOrderRules::orderVolume(l[0], l[1]), l[2]) << l[0] << " of " << l[1];
}

TEST_F(SpotOrderRulesTest, orderCarriesEveryFieldOfTheFormWithinWhatCanBeOrdered)
{
    Input in = validInput([](Input &i) { i.quantityText = "25"; });
    const ttservice::CCodeOrderParam order = built(in, OPERATION_TYPE_BUY);
    ASSERT_TRUE(order.accountInfo);
    EXPECT_EQ((std::vector<std::string> { order.accountInfo->accountId, order.userName,
                                          order.stock.market, order.stock.stockCode,
                                          order.stock.stockName, order.stock.instrumentTag,
                                          order.counterpartyTrader }),
              (std::vector<std::string> { kLoggedInAccount, "trader01", "SH", "019547", "国债1901",
                                          "SH019547", "张三" }));
    EXPECT_EQ((std::vector<long long> { order.operationType, order.orderKind, order.priceMode,
                                        order.volume, order.agreementNo }),
              (std::vector<long long> { OPERATION_TYPE_BUY, 49, 11, 20, 123 }));
    EXPECT_DOUBLE_EQ(order.price, 100.0) << "the clean price is ordered";

    // Funds of 1,000,000 at the full price of 101.2345 buy 9878 张: 9870 in lots.
    in.quantityText = "100000";
    EXPECT_EQ(built(in, OPERATION_TYPE_BUY).volume, 9870);
    // A sale is capped by the usable position.
    in.quantityText = "20000";
    const ttservice::CCodeOrderParam sell = built(in, OPERATION_TYPE_SELL);
    EXPECT_EQ(sell.operationType, OPERATION_TYPE_SELL);
    EXPECT_EQ(sell.volume, 12340);

    // An unlisted code orders without a bond.
    in = validInput([](Input &i) {
        i.stockCode = "999999";
        i.agreementNo = "77777";
    });
    const ttservice::CCodeOrderParam unlisted = built(in, OPERATION_TYPE_BUY);
    EXPECT_TRUE(unlisted.stock.market.empty());
    EXPECT_TRUE(unlisted.stock.stockCode.empty());
    EXPECT_EQ(unlisted.volume, 1000);
    EXPECT_EQ(unlisted.agreementNo, 77777);
}

TEST_F(SpotOrderRulesTest, ordersFailWithTheirMessages)
{
    const std::vector<std::tuple<ttservice::EOperationType, Edit, QString>> cases = {
        { OPERATION_TYPE_SELL, [](Input &i) { i.stockCode = "122000"; }, "可卖量为0, 无法下单!" },
        { OPERATION_TYPE_BUY, [](Input &i) { i.quantityText = "9"; }, "可下单量不足, 无法下单!" },
        // No funds record.
        { OPERATION_TYPE_BUY, [](Input &i) { i.accountKey = kLoggedOutAccount; },
          "可买量为0, 无法下单!" },
        { OPERATION_TYPE_BUY, [](Input &i) { i.fullPrice = 0.0; }, "可买量为0, 无法下单!" },
        { OPERATION_TYPE_BUY, [](Input &i) { i.accountKey = "gone"; }, "账号列表丢失!" },
    };
    for (size_t n = 0; n < cases.size(); ++n) {
        const auto &c = cases[n];
        EXPECT_EQ(buildError(validInput(std::get<1>(c)), std::get<0>(c)), std::get<2>(c))
            << "case " << n;
    }
    ttservice::TraderCenter::instance()->getDataCenter()->clear();
    EXPECT_EQ(buildError(validInput(), OPERATION_TYPE_BUY), "账号列表丢失!");
}

TEST_F(SpotOrderRulesTest, instructionLimitsTheRemainingQuantity)
{
    // 500 allowed, 279.5 placed: 280 counts as placed, 220 remain.
    const int no = addInstruction(OPERATION_TYPE_BUY, 500, 279.5);
    const std::string key = std::to_string(no);
    Input in = validInput([](Input &i) { i.quantityText = "230"; });
    EXPECT_EQ(buildError(in, OPERATION_TYPE_BUY, key),
              QStringLiteral("账号 10001 下单量超出指令 %1 允许的剩余最大下单量 220 , 下单无法完成")
                  .arg(no));
    in.quantityText = "229"; // 220 after rounding to lots
    EXPECT_EQ(built(in, OPERATION_TYPE_BUY, key).volume, 220);

    // The other side is not within the instruction.
    EXPECT_EQ(buildError(in, OPERATION_TYPE_SELL, key), "当前下单参数不属于指令范围, 下单无法完成");

    // Nothing placed yet: the whole volume remains.
    const std::string fresh
        = std::to_string(addInstruction(OPERATION_TYPE_SELL, 500, ttservice::kUnsetDouble));
    in.quantityText = "500";
    EXPECT_EQ(built(in, OPERATION_TYPE_SELL, fresh).volume, 500);
    in.quantityText = "510";
    EXPECT_FALSE(buildError(in, OPERATION_TYPE_SELL, fresh).isEmpty());

    // Instructions the command centre does not know leave the order alone.
    for (const char *unknown : { "", "4711", "abc" })
        EXPECT_EQ(built(in, OPERATION_TYPE_SELL, unknown).volume, 510) << unknown;

    // An order fits only through allowances of its own account and bond, and
    // must fit every one of them.
    ttservice::COrderCommand instruction;
    instruction.commandNo = 7;
    ttservice::CCodeOrderParam allowed;
    allowed.accountInfo = account(kLoggedInAccount)->getAccountInfo();
    allowed.operationType = OPERATION_TYPE_BUY;
    allowed.stock.market = "SH";
    allowed.stock.stockCode = "019547";
    allowed.volume = 500;
    instruction.orders = { allowed };
    ttservice::CCodeOrderParam order = allowed;
    order.accountInfo = account(kLoggedOutAccount)->getAccountInfo();
    QString error;
    EXPECT_FALSE(CSpotOrderRules::checkInstructionLimit(&instruction, order, 10, error));
    EXPECT_EQ(error, "当前下单参数不属于指令范围, 下单无法完成");
    order = allowed;
    order.stock.stockCode = "122000";
    EXPECT_FALSE(CSpotOrderRules::checkInstructionLimit(&instruction, order, 10, error));
    EXPECT_EQ(error, "当前下单参数不属于指令范围, 下单无法完成");
    allowed.volume = 200;
    instruction.orders.push_back(allowed);
    EXPECT_FALSE(CSpotOrderRules::checkInstructionLimit(&instruction, allowed, 300, error));
    EXPECT_EQ(error, "账号 10001 下单量超出指令 7 允许的剩余最大下单量 200 , 下单无法完成");
}

TEST_F(SpotOrderRulesTest, orderableQuantitiesNeedAUsablePriceToBuy)
{
    const auto data = accountData(kLoggedInAccount);
    const auto bond = makeBond("SH", "019547", "国债1901", kAccruedSH019547);
    const ttservice::CCalculator &calculator
        = *ttservice::TraderCenter::instance()->getCalculator();
    bool fresh = false;
    TC::CCanOrderNum num
        = CSpotOrderRules::canOrderNum(calculator, data, *bond, 100.0, 101.2345, &fresh);
    EXPECT_TRUE(fresh);
    EXPECT_EQ(num.buyVolume, 9870);
    EXPECT_EQ(num.sellVolume, 12340);

    // No usable clean or full price: no purchase, but the position is still reported.
    for (const auto &prices :
         { std::make_pair(100.0, ttservice::kUnsetDouble), std::make_pair(0.000001, 101.2345) }) {
        num = CSpotOrderRules::canOrderNum(calculator, data, *bond, prices.first, prices.second,
                                           &fresh);
        EXPECT_FALSE(fresh) << prices.first;
        EXPECT_EQ(num.buyVolume, 0) << prices.first;
        EXPECT_EQ(num.sellVolume, 12340) << prices.first;
    }

    num = CSpotOrderRules::canOrderNum(calculator, ttservice::CAccountDataPtr(), *bond, 100.0,
                                       101.0, &fresh);
    EXPECT_TRUE(fresh);
    EXPECT_EQ(num.buyVolume, 0);
    EXPECT_EQ(num.sellVolume, 0);
}
