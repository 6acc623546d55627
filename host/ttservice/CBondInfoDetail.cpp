#include "ttservice/CBondInfoDetail.h"

namespace ttservice {

std::string CBondInfoDetail::getKey() const
{
    return market + KEY_SPLITTER + instrumentCode;
}

bson::BSONObj CBondInfoDetail::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("instrumentCode", instrumentCode);
    b.append("instrumentName", instrumentName);
    b.append("minDays", minDays);
    b.append("maxDays", maxDays);
    return b.obj();
}

void CBondInfoDetail::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "instrumentCode", instrumentCode);
    readField(obj, "instrumentName", instrumentName);
    readField(obj, "minDays", minDays);
    readField(obj, "maxDays", maxDays);
}

} // namespace ttservice
