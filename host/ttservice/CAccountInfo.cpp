#include "ttservice/CAccountInfo.h"

namespace ttservice {

bson::BSONObj CAccountInfo::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("brokerType", brokerType);
    b.append("counterType", counterType);
    b.append("accountId", accountId);
    b.append("accountName", accountName);
    b.append("displayId", displayId);
    return b.obj();
}

void CAccountInfo::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "brokerType", brokerType);
    readField(obj, "counterType", counterType);
    readField(obj, "accountId", accountId);
    readField(obj, "accountName", accountName);
    readField(obj, "displayId", displayId);
}

std::string accountDisplayID(const CAccountInfo &info)
{
    return info.displayId.empty() ? info.accountId : info.displayId;
}

} // namespace ttservice
