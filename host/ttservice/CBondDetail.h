#pragma once

#include "ttservice/IData.h"

namespace ttservice {

// Bond terms of an instrument. One unit (张) of a bond has the face value
// `faceValue`, normally 100 yuan. Key: market + KEY_SPLITTER + code.
class CBondDetail : public IData
{
public:
    std::string market;
    std::string instrumentCode;
    double faceValue = 100.0; // yuan per 张
    double couponRate = 0.0; // yearly, fraction
    int maturityDate = kUnsetInt; // yyyyMMdd

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CBondDetail &o) const
    {
        return market == o.market && instrumentCode == o.instrumentCode && faceValue == o.faceValue
            && couponRate == o.couponRate && maturityDate == o.maturityDate;
    }
};

using CBondDetailPtr = boost::shared_ptr<CBondDetail>;

} // namespace ttservice
