#include "ttservice/CRepurchaseIntentionOrder.h"

namespace ttservice {

bson::BSONObj CRepurchaseIntentionOrder::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("orderNo", orderNo);
    b.append("market", market);
    b.append("direction", direction);
    b.append("pledgedBond", pledgedBond);
    b.append("trader", trader);
    b.append("dealer", dealer);
    b.append("dealerName", dealerName);
    b.append("repurchaseAmount", repurchaseAmount);
    b.append("conversionRatio", conversionRatio);
    b.append("pledgedBondVolume", pledgedBondVolume);
    b.append("repurchaseDays", repurchaseDays);
    b.append("repurchaseRate", repurchaseRate);
    b.append("maturitySettleDate", maturitySettleDate);
    b.append("maturitySettleAmount", maturitySettleAmount);
    return b.obj();
}

void CRepurchaseIntentionOrder::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "orderNo", orderNo);
    readField(obj, "market", market);
    readField(obj, "direction", direction);
    readField(obj, "pledgedBond", pledgedBond);
    readField(obj, "trader", trader);
    readField(obj, "dealer", dealer);
    readField(obj, "dealerName", dealerName);
    readField(obj, "repurchaseAmount", repurchaseAmount);
    readField(obj, "conversionRatio", conversionRatio);
    readField(obj, "pledgedBondVolume", pledgedBondVolume);
    readField(obj, "repurchaseDays", repurchaseDays);
    readField(obj, "repurchaseRate", repurchaseRate);
    readField(obj, "maturitySettleDate", maturitySettleDate);
    readField(obj, "maturitySettleAmount", maturitySettleAmount);
}

bool CRepurchaseIntentionOrder::operator==(const CRepurchaseIntentionOrder &o) const
{
    return orderNo == o.orderNo && market == o.market && direction == o.direction
        && pledgedBond == o.pledgedBond && trader == o.trader && dealer == o.dealer
        && dealerName == o.dealerName && repurchaseAmount == o.repurchaseAmount
        && conversionRatio == o.conversionRatio && pledgedBondVolume == o.pledgedBondVolume
        && repurchaseDays == o.repurchaseDays && repurchaseRate == o.repurchaseRate
        && maturitySettleDate == o.maturitySettleDate
        && maturitySettleAmount == o.maturitySettleAmount;
}

} // namespace ttservice
