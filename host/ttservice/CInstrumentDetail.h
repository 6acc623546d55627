#pragma once

#include "ttservice/CBondDetail.h"
#include "ttservice/CBondInfoDetail.h"

namespace ttservice {

// An instrument of the instrument directory. Key: market + KEY_SPLITTER + code.
class CInstrumentDetail : public IData
{
public:
    std::string market; // "SH", "SZ"
    std::string instrumentCode;
    std::string instrumentName;
    std::string instrumentTag;
    double accruedInterest = 0.0; // per 张, yuan
    CBondDetailPtr bondDetail; // null for instruments that are not bonds
    // The variety's days range; set for agreement repurchase instruments only.
    CBondInfoDetailPtr extraDetail;

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CInstrumentDetail &o) const
    {
        return market == o.market && instrumentCode == o.instrumentCode
            && instrumentName == o.instrumentName && instrumentTag == o.instrumentTag
            && accruedInterest == o.accruedInterest && sameRecord(bondDetail, o.bondDetail)
            && sameRecord(extraDetail, o.extraDetail);
    }
};

using CInstrumentDetailPtr = boost::shared_ptr<CInstrumentDetail>;

} // namespace ttservice
