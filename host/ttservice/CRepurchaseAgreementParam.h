#pragma once

#include "ttservice/IData.h"

namespace ttservice {

// The agreement repurchase part of an order; it travels inside the order as
// BSON (CCodeOrderParam::agreementParam). Numbers an operation does not use
// keep the unset markers so that the counter can tell them from zero.
// Rates and ratios are fractions; dates are yyyyMMdd.
class CRepurchaseAgreementParam : public IData
{
public:
    std::string bondMarket;
    std::string bondCode;
    std::string trader;
    std::string dealer;
    std::string counterpartyTrader;
    std::string counterpartyDealer;
    std::string counterpartyDealerName;
    double repurchaseAmount = kUnsetDouble;
    double conversionRatio = kUnsetDouble;
    double repurchaseRate = kUnsetDouble;
    int repurchaseDays = kUnsetInt;
    int maturitySettleDate = kUnsetInt;
    int firstSettleDate = kUnsetInt;
    std::string contractNo;
    std::string supplementaryTerms;
    std::string referenceNo;
    std::string pledgee;
    int renewType = kUnsetInt; // '0' 非三方续做, '1' 三方续做
    std::string tradingEntity;
    std::string counterpartyEntity;
    double settlementAmount = kUnsetDouble;
    int stockProperty = kUnsetInt; // ttservice::EStkProp code
    int subjectType = kUnsetInt; // 2 机构, 0 个人, 1 会员, 3 自营
    std::string counterpartyClientName;
    std::string pendingOrderRef;
    std::string swapBondCode;
    int swapPledgeVolume = kUnsetInt;
    int swapStockProperty = kUnsetInt;

    // The contract the operation refers to, or the bond for a new declaration.
    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CRepurchaseAgreementParam &o) const;
};

using CRepurchaseAgreementParamPtr = boost::shared_ptr<CRepurchaseAgreementParam>;

} // namespace ttservice
