#pragma once

#include "ttservice/IData.h"

#include <vector>

namespace ttservice {

// A bond pledged under an agreement repurchase contract or named by a deal
// declaration. A pledge change lists the bonds of the existing pledge
// (`swapFlag` '0') beside those pledged in exchange ('1'), so the same bond
// may appear twice. Key: market | bondCode | swapFlag (as its character).
class CRepurchasePledgedBond : public IData
{
public:
    std::string market;
    std::string bondCode;
    std::string bondName;
    int stockProperty = '0'; // ttservice::EStkProp code: '0' 非限售股, '1' 限售股
    int pledgeVolume = 0; // 张
    int swapFlag = '0'; // '0' a bond of the existing pledge, '1' pledged in exchange

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CRepurchasePledgedBond &o) const
    {
        return market == o.market && bondCode == o.bondCode && bondName == o.bondName
            && stockProperty == o.stockProperty && pledgeVolume == o.pledgeVolume
            && swapFlag == o.swapFlag;
    }
};

using CRepurchasePledgedBondPtr = boost::shared_ptr<CRepurchasePledgedBond>;
using CRepurchasePledgedBondList = std::vector<CRepurchasePledgedBondPtr>;

// Pledged bonds as a BSON array of sub-objects, and back. Null entries are
// left out; reading replaces `bonds` only when the field is an array.
void appendPledgedBonds(bson::BSONObjBuilder &b, const char *name,
                        const CRepurchasePledgedBondList &bonds);
void readPledgedBonds(const bson::BSONObj &obj, const char *name,
                      CRepurchasePledgedBondList &bonds);
// Element-wise equality of the records (null entries equal only null entries).
bool samePledgedBonds(const CRepurchasePledgedBondList &a, const CRepurchasePledgedBondList &b);

} // namespace ttservice
