#pragma once

#include "ttservice/IData.h"

namespace ttservice {

// A bond the trader chose to pledge, with the amount and volume to pledge.
// The pledge tables key their rows by genKey(market, bondCode).
class CPledgedBondInfo : public IData
{
public:
    std::string market;
    std::string bondCode;
    double pledgeAmount = 0.0; // yuan
    int pledgeVolume = 0; // 张
    // ttservice::EStkProp code: '0' 非限售股, '1' 限售股. New position rows
    // rely on this default, their share property combo starts there.
    int stockProperty = '0';

    // market + KEY_SPLITTER + code
    static std::string genKey(const std::string &market, const std::string &code);

    std::string getKey() const override { return genKey(market, bondCode); }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CPledgedBondInfo &o) const
    {
        return market == o.market && bondCode == o.bondCode && pledgeAmount == o.pledgeAmount
            && pledgeVolume == o.pledgeVolume && stockProperty == o.stockProperty;
    }
};

using CPledgedBondInfoPtr = boost::shared_ptr<CPledgedBondInfo>;

} // namespace ttservice
