#include "ttservice/CPositionStatics.h"

namespace ttservice {

std::string CPositionStatics::getKey() const
{
    return market + KEY_SPLITTER + instrumentCode;
}

bson::BSONObj CPositionStatics::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("instrumentCode", instrumentCode);
    b.append("instrumentName", instrumentName);
    b.append("totalVolume", totalVolume);
    b.append("usableVolume", usableVolume);
    return b.obj();
}

void CPositionStatics::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "instrumentCode", instrumentCode);
    readField(obj, "instrumentName", instrumentName);
    readField(obj, "totalVolume", totalVolume);
    readField(obj, "usableVolume", usableVolume);
}

} // namespace ttservice
