#pragma once

#include "ttservice/CAccountInfo.h"
#include "ttservice/CRepurchasePledgedBond.h"
#include "ttservice/DataTypes.h"

namespace ttservice {

// A deal declaration a counterparty addressed to the account, waiting for its
// confirmation (type 795). The confirmation copies most fields into the
// agreement part of its order, so numbers keep the same unset markers as
// CRepurchaseAgreementParam. Key: `pendingOrderRef`, the counter's reference
// of the declaration (several declarations may concern one contract).
class CRepurchasePendingOrder : public IData
{
public:
    CAccountInfoPtr accountInfo;
    std::string market; // "SH", "SZ"
    std::string contractCode; // 协议回购合约代码
    int direction = kUnsetInt; // '0' 正回购, anything else 逆回购
    std::string trader;
    std::string dealer;
    std::string dealerName;
    std::string counterpartyTrader;
    std::string counterpartyDealer;
    std::string counterpartyDealerName;
    double repurchaseAmount = kUnsetDouble;
    double conversionRatio = kUnsetDouble;
    int repurchaseDays = kUnsetInt;
    int declareType = kUnsetInt; // ttservice::EDeclareType code '0'..'4'
    double repurchaseRate = kUnsetDouble;
    int maturitySettleDate = kUnsetInt;
    double maturitySettleAmount = kUnsetDouble;
    int renewType = kUnsetInt; // '0' 非第三方续做, anything else 第三方续做
    int priorApplyDate = kUnsetInt; // 原申请日期
    int actualRepurchaseDate = kUnsetInt; // 实际购回日期
    std::string pledgee;
    std::string supplementaryTerms;
    std::string pendingOrderRef; // copied into the answer to the declaration
    std::string tradingEntity;
    std::string counterpartyEntity;
    double releaseSettleAmount = kUnsetDouble; // 解除质押结算金额
    std::string counterpartyClientName;
    int ownerType = kUnsetInt; // 2 机构投资者, 0 个人投资者, 1 会员, 3 自营交易者
    CRepurchasePledgedBondList pledgedBonds;

    int dataType() const override { return DATA_TYPE_PENDING_ORDER; }
    std::string getKey() const override { return pendingOrderRef; }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CRepurchasePendingOrder &o) const;
};

using CRepurchasePendingOrderPtr = boost::shared_ptr<CRepurchasePendingOrder>;

} // namespace ttservice
