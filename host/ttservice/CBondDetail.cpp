#include "ttservice/CBondDetail.h"

namespace ttservice {

std::string CBondDetail::getKey() const
{
    return market + KEY_SPLITTER + instrumentCode;
}

bson::BSONObj CBondDetail::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("instrumentCode", instrumentCode);
    b.append("faceValue", faceValue);
    b.append("couponRate", couponRate);
    b.append("maturityDate", maturityDate);
    return b.obj();
}

void CBondDetail::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "instrumentCode", instrumentCode);
    readField(obj, "faceValue", faceValue);
    readField(obj, "couponRate", couponRate);
    readField(obj, "maturityDate", maturityDate);
}

} // namespace ttservice
