#pragma once

#include "ttservice/CAccountInfo.h"
#include "ttservice/CStockInfo.h"
#include "ttservice/Types.h"

namespace ttservice {

// One order of an order command. Fields the order leaves unset keep their
// markers (kUnsetInt, kUnsetDouble). Key: account + stock + operation, the
// triple by which an order is matched against the orders of an instruction.
class CCodeOrderParam : public IData
{
public:
    CAccountInfoPtr accountInfo;
    int orderKind = 0;
    EOperationType operationType = OPERATION_TYPE_NONE;
    CStockInfo stock;
    int priceMode = kUnsetInt;
    double price = kUnsetDouble;
    long long volume = 0;
    double placedVolume = kUnsetDouble; // already placed against an instruction order
    std::string userName;
    std::string counterpartyTrader;
    int agreementNo = kUnsetInt;
    int paramKind = 0;
    bson::BSONObj agreementParam; // CRepurchaseAgreementParam::toBson() for agreement orders
    std::string contactPerson;
    std::string contactMethod;

    std::string getKey() const override;
    bson::BSONObj toBson() const override;
    void bsonValueFromObj(const bson::BSONObj &obj) override;

    bool operator==(const CCodeOrderParam &o) const;
};

using CCodeOrderParamPtr = boost::shared_ptr<CCodeOrderParam>;

} // namespace ttservice
