#pragma once

#include "ttservice/DataTypes.h"
#include "ttservice/IData.h"

namespace ttservice {

// An intention order of the account (type 793), listed as a turn-deal row.
// `trader`, `dealer` and `dealerName` are the declaring side's; a deal
// declaration made from the row takes them as its counterparty.
// Key: `orderNo`, the counter's number of the order; the turn-deal list
// announces it and the form looks the order up by it.
class CRepurchaseIntentionOrder : public IData
{
public:
    std::string orderNo;
    std::string market; // "SH", "SZ"
    int direction = kUnsetInt; // '0' 正回购, anything else 逆回购; '1' can turn into a deal
    std::string pledgedBond; // the bond as the declaring side described it
    std::string trader;
    std::string dealer;
    std::string dealerName;
    double repurchaseAmount = kUnsetDouble;
    double conversionRatio = kUnsetDouble; // fraction
    int pledgedBondVolume = 0; // 张; 0 when the order names no bond
    int repurchaseDays = kUnsetInt;
    double repurchaseRate = kUnsetDouble; // fraction per year
    int maturitySettleDate = kUnsetInt;
    double maturitySettleAmount = kUnsetDouble;

    int dataType() const override { return DATA_TYPE_INTENTION_ORDER; }
    std::string getKey() const override { return orderNo; }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CRepurchaseIntentionOrder &o) const;
};

using CRepurchaseIntentionOrderPtr = boost::shared_ptr<CRepurchaseIntentionOrder>;

} // namespace ttservice
