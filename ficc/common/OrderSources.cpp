#include "common/OrderSources.h"

#include "tc/Services.h"

namespace TC {

OrderAccount readOrderAccount(const QString &accountKey)
{
    OrderAccount read;
    read.key = accountKey;
    read.account = getUserConfig()->getAccountData(accountKey);
    if (read.account)
        read.loginStatus = utils::CManualSingletonT<CTradeClient>::instance()->getLoginStatus(
            read.account->getKey());
    return read;
}

ttservice::COrderCommandPtr readInstruction(const std::string &instructionKey)
{
    bool numeric = false;
    const int commandNo = QString::fromStdString(instructionKey).toInt(&numeric);
    if (!numeric)
        return ttservice::COrderCommandPtr();
    return utils::CManualSingletonT<CItCommandCenter>::instance()->getCommand(commandNo);
}

} // namespace TC
