#pragma once

#include <QFlags>

namespace ttservice {

// Trader type flags of the terminal. Accounts carry a broker type that is
// matched against them (TC::isBrokerTypeMatchTradeType).
enum EVqTraderType {
    VQ_TRADER_TYPE_NONE = 0,
    VQ_TRADER_TYPE_STOCK = 0x1, // cash accounts (spot bonds trade through them)
    VQ_TRADER_TYPE_FUTURE = 0x2,
    VQ_TRADER_TYPE_OPTION = 0x4,
    VQ_TRADER_TYPE_FICC = 0x100000, // the fixed income panels
};
Q_DECLARE_FLAGS(EVqTraderTypes, EVqTraderType)

// Operation codes written into orders. Orders carry other codes of the counter
// too (the agreement operations, 1045-1094) and a counter may answer with codes
// the terminal does not know: every int is a value of the type.
enum EOperationType : int {
    OPERATION_TYPE_NONE = 0,
    OPERATION_TYPE_BUY = 1052,
    OPERATION_TYPE_SELL = 1053,
};

// Login state of an account at its counter. The order checks compare with the
// raw values: 0 is logged in, 5 is refreshing, anything else is not logged in.
enum EBROKER_LOGIN_STATUS {
    BROKER_LOGIN_STATUS_OK = 0,
    BROKER_LOGIN_STATUS_NOT_LOGIN = 1,
    BROKER_LOGIN_STATUS_REFRESHING = 5,
};

} // namespace ttservice

Q_DECLARE_OPERATORS_FOR_FLAGS(ttservice::EVqTraderTypes)

using ttservice::EVqTraderType;
