#pragma once

#include "ttservice/IData.h"

namespace ttservice {

// The instrument of an order, as copied from the instrument directory.
// Key: market + KEY_SPLITTER + stockCode.
class CStockInfo : public IData
{
public:
    std::string market;
    std::string instrumentTag;
    std::string stockCode;
    std::string stockName;

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CStockInfo &o) const
    {
        return market == o.market && instrumentTag == o.instrumentTag && stockCode == o.stockCode
            && stockName == o.stockName;
    }
};

using CStockInfoPtr = boost::shared_ptr<CStockInfo>;

} // namespace ttservice
