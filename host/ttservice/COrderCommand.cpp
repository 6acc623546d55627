#include "ttservice/COrderCommand.h"

#include "ttservice/COrderComandParam.h"

namespace ttservice {

bson::BSONObj COrderCommand::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("commandNo", commandNo);
    appendOrders(b, "orders", orders);
    return b.obj();
}

void COrderCommand::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "commandNo", commandNo);
    readOrders(obj, "orders", orders);
}

} // namespace ttservice
