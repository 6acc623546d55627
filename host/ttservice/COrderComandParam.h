#pragma once

#include "ttservice/CCodeOrderParam.h"

#include <vector>

namespace ttservice {

// An order command as handed to the command centre: a batch of orders and how
// they are to be placed.
class COrderComandParam : public IData
{
public:
    int commandKind = 0;
    int commandSubKind = 0;
    std::vector<CCodeOrderParam> orders;
    int commandMode = 0;
    bool manual = false;
    std::string commandText;
    int commandOption = 0;

    // A command has no identity until the command centre numbers it.
    std::string getKey() const override { return std::string(); }
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const COrderComandParam &o) const
    {
        return commandKind == o.commandKind && commandSubKind == o.commandSubKind
            && orders == o.orders && commandMode == o.commandMode && manual == o.manual
            && commandText == o.commandText && commandOption == o.commandOption;
    }
};

using COrderComandParamPtr = boost::shared_ptr<COrderComandParam>;

// Orders as a BSON array of sub-objects, and back.
void appendOrders(bson::BSONObjBuilder &b, const char *name,
                  const std::vector<CCodeOrderParam> &orders);
void readOrders(const bson::BSONObj &obj, const char *name, std::vector<CCodeOrderParam> &orders);

} // namespace ttservice
