#pragma once

#include "ttservice/DataTypes.h"
#include "ttservice/IData.h"

namespace ttservice {

// A position of an account (type 547). `usableVolume` is what can be sold or
// pledged now, in 张. Key: market + KEY_SPLITTER + code.
class CPositionStatics : public IData
{
public:
    std::string market;
    std::string instrumentCode;
    std::string instrumentName;
    long long totalVolume = 0;
    long long usableVolume = 0;

    int dataType() const override { return DATA_TYPE_POSITION_STATICS; }
    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CPositionStatics &o) const
    {
        return market == o.market && instrumentCode == o.instrumentCode
            && instrumentName == o.instrumentName && totalVolume == o.totalVolume
            && usableVolume == o.usableVolume;
    }
};

using CPositionStaticsPtr = boost::shared_ptr<CPositionStatics>;

} // namespace ttservice
