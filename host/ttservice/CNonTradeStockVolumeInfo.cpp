#include "ttservice/CNonTradeStockVolumeInfo.h"

namespace ttservice {

std::string CNonTradeStockVolumeInfo::getKey() const
{
    return market + KEY_SPLITTER + instrumentCode;
}

bson::BSONObj CNonTradeStockVolumeInfo::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("instrumentCode", instrumentCode);
    b.append("instrumentName", instrumentName);
    b.append("volume", volume);
    return b.obj();
}

void CNonTradeStockVolumeInfo::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "instrumentCode", instrumentCode);
    readField(obj, "instrumentName", instrumentName);
    readField(obj, "volume", volume);
}

} // namespace ttservice
