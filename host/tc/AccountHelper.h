#pragma once

#include "ttservice/CAccountInfo.h"
#include "ttservice/Types.h"

#include <QString>

namespace TC {

// An account serves a trader type when its broker type has one of the type's
// bits: broker type 1 (cash) serves trader type 1, 0x100001 serves both 1 and 0x100000.
bool isBrokerTypeMatchTradeType(int brokerType, ttservice::EVqTraderType traderType);
inline bool isBrokerTypeMatchTradeType(int brokerType, int traderType)
{
    return isBrokerTypeMatchTradeType(brokerType,
                                      static_cast<ttservice::EVqTraderType>(traderType));
}

// ttservice::accountDisplayID as a QString (UTF-8).
QString accountDisplayIDQs(const ttservice::CAccountInfo &info);

} // namespace TC
