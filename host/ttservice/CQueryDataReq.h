#pragma once

#include "ttservice/CAccountInfo.h"

namespace ttservice {

// A query to the trade client for the records of one type of one account.
// Note: the field `dataType` names the records asked for; the request itself
// never travels through the data centre (IData::dataType() stays 0).
class CQueryDataReq : public IData
{
public:
    int dataType = 0; // record type id asked for (DataTypes.h)
    std::string queryText; // free argument, e.g. a trader code
    CAccountInfoPtr accountInfo;

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CQueryDataReq &o) const
    {
        return dataType == o.dataType && queryText == o.queryText
            && sameRecord(accountInfo, o.accountInfo);
    }
};

using CQueryDataReqPtr = boost::shared_ptr<CQueryDataReq>;

} // namespace ttservice
