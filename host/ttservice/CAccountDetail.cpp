#include "ttservice/CAccountDetail.h"

namespace ttservice {

bson::BSONObj CAccountDetail::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("accountId", accountId);
    b.append("availableFunds", availableFunds);
    b.append("totalAssets", totalAssets);
    return b.obj();
}

void CAccountDetail::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "accountId", accountId);
    readField(obj, "availableFunds", availableFunds);
    readField(obj, "totalAssets", totalAssets);
}

} // namespace ttservice
