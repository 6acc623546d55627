#pragma once

#include "ttservice/IData.h"

namespace ttservice {

// Identity of a fund account. The key is the account id.
class CAccountInfo : public IData
{
public:
    int brokerType = 1;
    int counterType = 0;
    std::string accountId;
    std::string accountName;
    std::string displayId;

    std::string getKey() const override { return accountId; }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CAccountInfo &o) const
    {
        return brokerType == o.brokerType && counterType == o.counterType
            && accountId == o.accountId && accountName == o.accountName && displayId == o.displayId;
    }
};

using CAccountInfoPtr = boost::shared_ptr<CAccountInfo>;

// The account's text for messages: the display id when set, else the account id.
std::string accountDisplayID(const CAccountInfo &info);

} // namespace ttservice
