#include "ttservice/CCodeOrderParam.h"

namespace ttservice {

std::string CCodeOrderParam::getKey() const
{
    const std::string account = accountInfo ? accountInfo->getKey() : std::string();
    return account + KEY_SPLITTER + stock.getKey() + KEY_SPLITTER
        + std::to_string(static_cast<int>(operationType));
}

bson::BSONObj CCodeOrderParam::toBson() const
{
    bson::BSONObjBuilder b;
    appendRecord(b, "accountInfo", accountInfo);
    b.append("orderKind", orderKind);
    b.append("operationType", static_cast<int>(operationType));
    b.append("stock", stock.toBson());
    b.append("priceMode", priceMode);
    b.append("price", price);
    b.append("volume", volume);
    b.append("placedVolume", placedVolume);
    b.append("userName", userName);
    b.append("counterpartyTrader", counterpartyTrader);
    b.append("agreementNo", agreementNo);
    b.append("paramKind", paramKind);
    b.append("agreementParam", agreementParam);
    b.append("contactPerson", contactPerson);
    b.append("contactMethod", contactMethod);
    return b.obj();
}

void CCodeOrderParam::bsonValueFromObj(const bson::BSONObj &obj)
{
    readRecord(obj, "accountInfo", accountInfo);
    readField(obj, "orderKind", orderKind);
    int operation = operationType;
    readField(obj, "operationType", operation);
    operationType = static_cast<EOperationType>(operation);
    bson::BSONObj stockObj;
    readField(obj, "stock", stockObj);
    if (!stockObj.isEmpty())
        stock.bsonValueFromObj(stockObj);
    readField(obj, "priceMode", priceMode);
    readField(obj, "price", price);
    readField(obj, "volume", volume);
    readField(obj, "placedVolume", placedVolume);
    readField(obj, "userName", userName);
    readField(obj, "counterpartyTrader", counterpartyTrader);
    readField(obj, "agreementNo", agreementNo);
    readField(obj, "paramKind", paramKind);
    readField(obj, "agreementParam", agreementParam);
    readField(obj, "contactPerson", contactPerson);
    readField(obj, "contactMethod", contactMethod);
}

bool CCodeOrderParam::operator==(const CCodeOrderParam &o) const
{
    return sameRecord(accountInfo, o.accountInfo) && orderKind == o.orderKind
        && operationType == o.operationType && stock == o.stock && priceMode == o.priceMode
        && price == o.price && volume == o.volume && placedVolume == o.placedVolume
        && userName == o.userName && counterpartyTrader == o.counterpartyTrader
        && agreementNo == o.agreementNo && paramKind == o.paramKind
        && agreementParam.binaryEqual(o.agreementParam) && contactPerson == o.contactPerson
        && contactMethod == o.contactMethod;
}

} // namespace ttservice
