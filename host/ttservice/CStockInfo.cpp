#include "ttservice/CStockInfo.h"

namespace ttservice {

std::string CStockInfo::getKey() const
{
    return market + KEY_SPLITTER + stockCode;
}

bson::BSONObj CStockInfo::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("instrumentTag", instrumentTag);
    b.append("stockCode", stockCode);
    b.append("stockName", stockName);
    return b.obj();
}

void CStockInfo::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "instrumentTag", instrumentTag);
    readField(obj, "stockCode", stockCode);
    readField(obj, "stockName", stockName);
}

} // namespace ttservice
