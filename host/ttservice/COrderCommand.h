#pragma once

#include "ttservice/CCodeOrderParam.h"

#include <vector>

namespace ttservice {

// An instruction known to the command centre: its number and the orders it
// allows. Orders placed against it count in their `placedVolume`.
class COrderCommand : public IData
{
public:
    int commandNo = 0;
    std::vector<CCodeOrderParam> orders;

    std::string getKey() const override { return std::to_string(commandNo); }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const COrderCommand &o) const
    {
        return commandNo == o.commandNo && orders == o.orders;
    }
};

using COrderCommandPtr = boost::shared_ptr<COrderCommand>;

} // namespace ttservice
