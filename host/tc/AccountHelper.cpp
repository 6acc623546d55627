#include "tc/AccountHelper.h"

namespace TC {

bool isBrokerTypeMatchTradeType(int brokerType, ttservice::EVqTraderType traderType)
{
    return (brokerType & static_cast<int>(traderType)) != 0;
}

QString accountDisplayIDQs(const ttservice::CAccountInfo &info)
{
    return QString::fromStdString(ttservice::accountDisplayID(info));
}

} // namespace TC
