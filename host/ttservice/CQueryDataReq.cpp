#include "ttservice/CQueryDataReq.h"

namespace ttservice {

std::string CQueryDataReq::getKey() const
{
    const std::string account = accountInfo ? accountInfo->getKey() : std::string();
    return account + KEY_SPLITTER + std::to_string(dataType) + KEY_SPLITTER + queryText;
}

bson::BSONObj CQueryDataReq::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("dataType", dataType);
    b.append("queryText", queryText);
    appendRecord(b, "accountInfo", accountInfo);
    return b.obj();
}

void CQueryDataReq::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "dataType", dataType);
    readField(obj, "queryText", queryText);
    readRecord(obj, "accountInfo", accountInfo);
}

} // namespace ttservice
