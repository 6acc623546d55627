#pragma once

namespace ttservice {

// Record type ids of the data centre (CAccountData::getData/getVector/subscribe,
// CQueryDataReq::dataType, IData::dataType()).
enum EDataType {
    DATA_TYPE_ACCOUNT_DETAIL = 543, // CAccountDetail, the account's funds
    DATA_TYPE_POSITION_STATICS = 547, // CPositionStatics
    DATA_TYPE_AGREEMENT_CONTRACT = 788, // agreement repurchase contracts
    DATA_TYPE_INTENTION_ORDER = 793, // intention orders (turn-deal rows)
    DATA_TYPE_NON_TRADE_VOLUME = 794, // restricted (non-tradable) volumes
    DATA_TYPE_PENDING_ORDER = 795, // deal declarations waiting for confirmation
};

} // namespace ttservice
