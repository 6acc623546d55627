#include "ttservice/COrderComandParam.h"

namespace ttservice {

void appendOrders(bson::BSONObjBuilder &b, const char *name,
                  const std::vector<CCodeOrderParam> &orders)
{
    bson::BSONArrayBuilder array(b.subarrayStart(name));
    for (const CCodeOrderParam &order : orders)
        array.append(order.toBson());
    array.done();
}

void readOrders(const bson::BSONObj &obj, const char *name, std::vector<CCodeOrderParam> &orders)
{
    if (obj.getField(name).type() != bson::Array)
        return;
    std::vector<bson::BSONObj> items;
    readField(obj, name, items);
    orders.clear();
    orders.reserve(items.size());
    for (const bson::BSONObj &item : items) {
        CCodeOrderParam order;
        order.bsonValueFromObj(item);
        orders.push_back(order);
    }
}

bson::BSONObj COrderComandParam::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("commandKind", commandKind);
    b.append("commandSubKind", commandSubKind);
    appendOrders(b, "orders", orders);
    b.append("commandMode", commandMode);
    b.append("manual", manual);
    b.append("commandText", commandText);
    b.append("commandOption", commandOption);
    return b.obj();
}

void COrderComandParam::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "commandKind", commandKind);
    readField(obj, "commandSubKind", commandSubKind);
    readOrders(obj, "orders", orders);
    readField(obj, "commandMode", commandMode);
    readField(obj, "manual", manual);
    readField(obj, "commandText", commandText);
    readField(obj, "commandOption", commandOption);
}

} // namespace ttservice
