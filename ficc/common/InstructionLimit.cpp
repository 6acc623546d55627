#include "common/InstructionLimit.h"

#include "tc/AccountHelper.h"

#include <cmath>

namespace TC {

namespace {

std::string accountKeyOf(const ttservice::CCodeOrderParam &order)
{
    return order.accountInfo ? order.accountInfo->getKey() : std::string();
}

} // namespace

bool checkInstructionLimit(const ttservice::COrderCommand *instruction,
                           const ttservice::CCodeOrderParam &order, long long volume,
                           EInstructionMatch match, QString &error)
{
    if (!instruction)
        return true;
    const std::string accountKey = accountKeyOf(order);
    bool matched = false;
    for (const ttservice::CCodeOrderParam &allowed : instruction->orders) {
        if (accountKeyOf(allowed) != accountKey || allowed.operationType != order.operationType)
            continue;
        if (match == EInstructionMatch::ACCOUNT_SIDE_AND_INSTRUMENT
            && allowed.stock.getKey() != order.stock.getKey())
            continue;
        matched = true;
        const long long placed = allowed.placedVolume == ttservice::kUnsetDouble
            ? 0
            : static_cast<long long>(std::floor(allowed.placedVolume + 0.5));
        const long long remaining = allowed.volume - placed;
        if (volume > remaining) {
            error
                = QStringLiteral("账号 %1 下单量超出指令 %2 允许的剩余最大下单量 %3 , 下单无法完成")
                      .arg(order.accountInfo ? accountDisplayIDQs(*order.accountInfo) : QString(),
                           QString::number(instruction->commandNo), QString::number(remaining));
            return false;
        }
    }
    if (!matched) {
        error = QStringLiteral("当前下单参数不属于指令范围, 下单无法完成");
        return false;
    }
    return true;
}

} // namespace TC
