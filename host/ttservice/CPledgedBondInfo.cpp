#include "ttservice/CPledgedBondInfo.h"

namespace ttservice {

std::string CPledgedBondInfo::genKey(const std::string &market, const std::string &code)
{
    return market + KEY_SPLITTER + code;
}

bson::BSONObj CPledgedBondInfo::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("market", market);
    b.append("bondCode", bondCode);
    b.append("pledgeAmount", pledgeAmount);
    b.append("pledgeVolume", pledgeVolume);
    b.append("stockProperty", stockProperty);
    return b.obj();
}

void CPledgedBondInfo::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "market", market);
    readField(obj, "bondCode", bondCode);
    readField(obj, "pledgeAmount", pledgeAmount);
    readField(obj, "pledgeVolume", pledgeVolume);
    readField(obj, "stockProperty", stockProperty);
}

} // namespace ttservice
