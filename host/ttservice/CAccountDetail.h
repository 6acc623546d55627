#pragma once

#include "ttservice/DataTypes.h"
#include "ttservice/IData.h"

namespace ttservice {

// The funds of an account (type 543). Positions are records of their own
// (CPositionStatics). The key is the account id.
class CAccountDetail : public IData
{
public:
    std::string accountId;
    double availableFunds = kUnsetDouble; // 可用资金, yuan
    double totalAssets = kUnsetDouble;

    int dataType() const override { return DATA_TYPE_ACCOUNT_DETAIL; }
    std::string getKey() const override { return accountId; }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CAccountDetail &o) const
    {
        return accountId == o.accountId && availableFunds == o.availableFunds
            && totalAssets == o.totalAssets;
    }
};

using CAccountDetailPtr = boost::shared_ptr<CAccountDetail>;

} // namespace ttservice
