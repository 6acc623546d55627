#pragma once

#include "ttservice/DataTypes.h"
#include "ttservice/IData.h"

namespace ttservice {

// A restricted (non-tradable) holding of an account (type 794); `volume` can
// still be pledged, in 张. Key: market + KEY_SPLITTER + code.
class CNonTradeStockVolumeInfo : public IData
{
public:
    std::string market;
    std::string instrumentCode;
    std::string instrumentName;
    int volume = 0;

    int dataType() const override { return DATA_TYPE_NON_TRADE_VOLUME; }
    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CNonTradeStockVolumeInfo &o) const
    {
        return market == o.market && instrumentCode == o.instrumentCode
            && instrumentName == o.instrumentName && volume == o.volume;
    }
};

using CNonTradeStockVolumeInfoPtr = boost::shared_ptr<CNonTradeStockVolumeInfo>;

} // namespace ttservice
