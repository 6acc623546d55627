#pragma once

#include "ttservice/CAccountInfo.h"
#include "ttservice/CRepurchasePledgedBond.h"
#include "ttservice/DataTypes.h"

namespace ttservice {

// An agreement repurchase contract of an account (type 788). Rates and ratios
// are fractions, dates yyyyMMdd; numbers the counter has not reported keep the
// unset markers. Key: the contract number, unique within the account's data.
class CRepurchaseAgreementContractInfo : public IData
{
public:
    CAccountInfoPtr accountInfo;
    std::string market; // "SH", "SZ"
    double repurchaseAmount = kUnsetDouble;
    double conversionRatio = kUnsetDouble;
    int repurchaseDays = kUnsetInt;
    int direction = kUnsetInt; // '1' 正回购, anything else 逆回购
    double repurchaseRate = kUnsetDouble; // per year
    int maturitySettleDate = kUnsetInt;
    std::string contractNo;
    // 0 until the counter reports it: the contract table computes the amount
    // when it is not positive.
    double maturitySettleAmount = 0.0;
    int contractStatus = kUnsetInt; // ttservice::EContractStatus code
    int firstSettleDate = kUnsetInt;
    std::string trader;
    std::string counterpartyTrader;
    std::string counterpartyDealer;
    std::string counterpartyDealerName;
    std::string referenceNo;
    std::string supplementaryTerms;
    std::string dealer;
    std::string tradingEntity;
    std::string counterpartyEntity;
    CRepurchasePledgedBondList pledgedBonds;

    int dataType() const override { return DATA_TYPE_AGREEMENT_CONTRACT; }
    std::string getKey() const override { return contractNo; }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CRepurchaseAgreementContractInfo &o) const;
};

using CRepurchaseAgreementContractInfoPtr = boost::shared_ptr<CRepurchaseAgreementContractInfo>;

} // namespace ttservice
