#pragma once

#include "ttservice/IData.h"

namespace ttservice {

// A repurchase variety: the repurchase instrument and the range of days it
// covers. The instrument directory carries one as the extra record of each
// agreement repurchase instrument. Key: market + KEY_SPLITTER + code.
class CBondInfoDetail : public IData
{
public:
    std::string market;
    std::string instrumentCode;
    std::string instrumentName;
    int minDays = kUnsetInt;
    int maxDays = kUnsetInt;

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CBondInfoDetail &o) const
    {
        return market == o.market && instrumentCode == o.instrumentCode
            && instrumentName == o.instrumentName && minDays == o.minDays && maxDays == o.maxDays;
    }
};

using CBondInfoDetailPtr = boost::shared_ptr<CBondInfoDetail>;

} // namespace ttservice
