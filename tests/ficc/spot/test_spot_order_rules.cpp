#include "HostFixture.h"
#include "HostServices.h"
#include "QtPrinters.h"
#include "SpotOrders.h"

#include "spot/COpTransactionInCashWidget.h"
#include "spot/CSpotOrderRules.h"
#include "ttservice/COrderCommand.h"
#include "ttservice/TraderCenter.h"

#include <boost/make_shared.hpp>

#include <functional>

using TC::COpTransactionInCashWidget;
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

    // The first failed check; empty when the form may be ordered.
    static QString check(const Input &in)
    {
        QString error;
        const bool ok
            = CSpotOrderRules::checkInput(in, COpTransactionInCashWidget::orderHost(in, {}), error);
        EXPECT_EQ(ok, error.isEmpty()) << error.toStdString();
        return error;
    }

    struct Placed
    {
        ttservice::CCodeOrderParam order;
        QString error; // the message of the check that stopped the order
    };
    static Placed place(const Input &in, ttservice::EOperationType side,
                        const std::string &instruction = std::string())
    {
        std::vector<ttservice::CCodeOrderParam> orders(1);
        Placed out;
        const bool ok = CSpotOrderRules::buildOrders(
            in, COpTransactionInCashWidget::orderHost(in, instruction), side, orders, out.error);
        EXPECT_EQ(orders.size(), ok ? 1u : 0u) << out.error.toStdString();
        if (ok)
            out.order = orders.front();
        return out;
    }

    // An instruction's allowance of `volume` 张 of SH 019547 for the logged-in account.
    ttservice::CCodeOrderParam allowance(ttservice::EOperationType side, long long volume,
                                         double placed = ttservice::kUnsetDouble) const
    {
        ttservice::CCodeOrderParam allowed;
        allowed.accountInfo = account(kLoggedInAccount)->getAccountInfo();
        allowed.stock.market = "SH";
        allowed.stock.stockCode = "019547";
        allowed.operationType = side;
        allowed.volume = volume;
        allowed.placedVolume = placed;
        return allowed;
    }

    // Registers an instruction of one allowance with the command centre.
    int addInstruction(ttservice::EOperationType side, long long volume, double placed)
    {
        auto instruction = boost::make_shared<ttservice::COrderCommand>();
        instruction->orders.push_back(allowance(side, volume, placed));
        commandCenter()->addCommand(instruction);
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
    tradeClient()->setLoginStatus(kLoggedInAccount,
                                  static_cast<ttservice::EBROKER_LOGIN_STATUS>(3));
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
    EXPECT_EQ(summary(place(in, OPERATION_TYPE_BUY).order),
              "side 1052, 20 of SH 019547 国债1901 (SH019547) at 100, kind 49, mode 11, "
              "agreement 123, trader 张三, account 10001 by trader01");
    // Funds of 1,000,000 at the full price of 101.2345 buy 9878 张: 9870 in lots.
    in.quantityText = "100000";
    EXPECT_EQ(place(in, OPERATION_TYPE_BUY).order.volume, 9870);
    // A sale is capped by the usable position.
    in.quantityText = "20000";
    const ttservice::CCodeOrderParam sell = place(in, OPERATION_TYPE_SELL).order;
    EXPECT_EQ(sell.operationType, OPERATION_TYPE_SELL);
    EXPECT_EQ(sell.volume, 12340);

    in = validInput([](Input &i) {
        i.stockCode = "999999";
        i.agreementNo = "77777";
    });
    EXPECT_EQ(summary(place(in, OPERATION_TYPE_BUY).order),
              "side 1052, 1000 of no bond at 100, kind 49, mode 11, agreement 77777, trader 张三, "
              "account 10001 by trader01")
        << "an unlisted code orders without a bond";
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
    for (const auto &[side, edit, message] : cases)
        EXPECT_EQ(place(validInput(edit), side).error, message);
    ttservice::TraderCenter::instance()->getDataCenter()->clear();
    EXPECT_EQ(place(validInput(), OPERATION_TYPE_BUY).error, "账号列表丢失!");
}

TEST_F(SpotOrderRulesTest, instructionLimitsTheRemainingQuantity)
{
    // 500 allowed, 279.5 placed: 280 counts as placed, 220 remain.
    const int no = addInstruction(OPERATION_TYPE_BUY, 500, 279.5);
    const std::string key = std::to_string(no);
    Input in = validInput([](Input &i) { i.quantityText = "230"; });
    EXPECT_EQ(place(in, OPERATION_TYPE_BUY, key).error,
              QStringLiteral("账号 10001 下单量超出指令 %1 允许的剩余最大下单量 220 , 下单无法完成")
                  .arg(no));
    in.quantityText = "229"; // 220 after rounding to lots
    EXPECT_EQ(place(in, OPERATION_TYPE_BUY, key).order.volume, 220);
    const QString outside = "当前下单参数不属于指令范围, 下单无法完成";
    EXPECT_EQ(place(in, OPERATION_TYPE_SELL, key).error, outside);

    // Nothing placed yet: the whole volume remains.
    const std::string fresh
        = std::to_string(addInstruction(OPERATION_TYPE_SELL, 500, ttservice::kUnsetDouble));
    in.quantityText = "500";
    EXPECT_EQ(place(in, OPERATION_TYPE_SELL, fresh).order.volume, 500);
    in.quantityText = "510";
    EXPECT_FALSE(place(in, OPERATION_TYPE_SELL, fresh).error.isEmpty());

    // Instructions the command centre does not know leave the order alone.
    for (const char *unknown : { "", "4711", "abc" })
        EXPECT_EQ(place(in, OPERATION_TYPE_SELL, unknown).order.volume, 510) << unknown;

    // An order fits only allowances of its own account and bond, and must fit every one.
    ttservice::COrderCommand instruction;
    instruction.commandNo = 7;
    instruction.orders = { allowance(OPERATION_TYPE_BUY, 500), allowance(OPERATION_TYPE_BUY, 200) };
    const auto limitError = [&](const ttservice::CCodeOrderParam &order, long long volume) {
        QString error;
        EXPECT_FALSE(CSpotOrderRules::checkInstructionLimit(&instruction, order, volume, error));
        return error;
    };
    ttservice::CCodeOrderParam otherAccount = allowance(OPERATION_TYPE_BUY, 0);
    otherAccount.accountInfo = account(kLoggedOutAccount)->getAccountInfo();
    ttservice::CCodeOrderParam otherBond = allowance(OPERATION_TYPE_BUY, 0);
    otherBond.stock.stockCode = "122000";
    EXPECT_EQ(limitError(otherAccount, 10), outside);
    EXPECT_EQ(limitError(otherBond, 10), outside);
    EXPECT_EQ(limitError(allowance(OPERATION_TYPE_BUY, 0), 300),
              "账号 10001 下单量超出指令 7 允许的剩余最大下单量 200 , 下单无法完成");
}

TEST_F(SpotOrderRulesTest, orderableQuantitiesNeedAUsablePriceToBuy)
{
    const auto bond = makeBond("SH", "019547", "国债1901", kAccruedSH019547);
    const auto orderable = [&](const ttservice::CAccountDataPtr &data, double clean, double full) {
        bool fresh = false;
        const TC::CCanOrderNum num
            = CSpotOrderRules::canOrderNum(*ttservice::TraderCenter::instance()->getCalculator(),
                                           data, *bond, clean, full, &fresh);
        return QString("buy %1%2, sell %3")
            .arg(num.buyVolume)
            .arg(fresh ? " (fresh)" : "")
            .arg(num.sellVolume);
    };
    const auto data = accountData(kLoggedInAccount);
    EXPECT_EQ(orderable(data, 100.0, 101.2345), "buy 9870 (fresh), sell 12340");
    // No usable clean or full price: no purchase, but the position is still reported.
    EXPECT_EQ(orderable(data, 100.0, ttservice::kUnsetDouble), "buy 0, sell 12340");
    EXPECT_EQ(orderable(data, 0.000001, 101.2345), "buy 0, sell 12340");
    EXPECT_EQ(orderable(ttservice::CAccountDataPtr(), 100.0, 101.0), "buy 0 (fresh), sell 0");
}
