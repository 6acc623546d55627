#include "HostFixture.h"
#include "QtPrinters.h"

#include "spot/CSpotOrderRules.h"
#include "ttservice/COrderCommand.h"

using TC::CSpotOrderRules;
using ttservice::OPERATION_TYPE_BUY;
using ttservice::OPERATION_TYPE_SELL;

namespace {

class SpotInstructionLimitTest : public HostFixture
{
protected:
    ttservice::CCodeOrderParam order(const char *account, ttservice::EOperationType side,
                                     const char *code, long long volume) const
    {
        ttservice::CCodeOrderParam o;
        o.accountInfo = this->account(account)->getAccountInfo();
        o.operationType = side;
        o.stock.market = "SH";
        o.stock.stockCode = code;
        o.volume = volume;
        return o;
    }
};

} // namespace

// An instruction handed to the rules as it is, never registered with the
// command centre: a spot order fits it only through an order of the same
// account, side and bond, and must fit every such order.
TEST_F(SpotInstructionLimitTest, orderMustMatchAccountSideAndBondAndFitEveryMatch)
{
    ttservice::COrderCommand instruction;
    instruction.commandNo = 7;
    instruction.orders = { order(kLoggedInAccount, OPERATION_TYPE_BUY, "019547", 500),
                           order(kLoggedInAccount, OPERATION_TYPE_SELL, "122000", 300) };
    instruction.orders[1].placedVolume = 100;
    const QString outside = QStringLiteral("当前下单参数不属于指令范围, 下单无法完成");
    const QString over
        = QStringLiteral("账号 10001 下单量超出指令 7 允许的剩余最大下单量 %1 , 下单无法完成");

    struct Case
    {
        const char *what;
        const char *account;
        ttservice::EOperationType side;
        const char *code;
        long long volume;
        QString error;
    };
    const Case cases[] = {
        { "fits", kLoggedInAccount, OPERATION_TYPE_BUY, "019547", 500, QString() },
        { "other account", kLoggedOutAccount, OPERATION_TYPE_BUY, "019547", 10, outside },
        { "other bond", kLoggedInAccount, OPERATION_TYPE_BUY, "122000", 10, outside },
        { "other side", kLoggedInAccount, OPERATION_TYPE_SELL, "019547", 10, outside },
        { "over what remains", kLoggedInAccount, OPERATION_TYPE_SELL, "122000", 210,
          over.arg(200) },
    };
    for (const Case &c : cases) {
        QString error;
        const bool ok = CSpotOrderRules::checkInstructionLimit(
            &instruction, order(c.account, c.side, c.code, 0), c.volume, error);
        EXPECT_EQ(ok, c.error.isEmpty()) << c.what;
        EXPECT_EQ(error, c.error) << c.what;
    }

    // A second order of the same account, side and bond must be fitted as well.
    instruction.orders.push_back(order(kLoggedInAccount, OPERATION_TYPE_BUY, "019547", 200));
    QString error;
    EXPECT_FALSE(CSpotOrderRules::checkInstructionLimit(
        &instruction, order(kLoggedInAccount, OPERATION_TYPE_BUY, "019547", 0), 300, error));
    EXPECT_EQ(error, over.arg(200));
}
