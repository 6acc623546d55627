#include "ttservice/CRepurchasePendingOrder.h"

namespace ttservice {

bson::BSONObj CRepurchasePendingOrder::toBson() const
{
    bson::BSONObjBuilder b;
    appendRecord(b, "accountInfo", accountInfo);
    b.append("market", market);
    b.append("contractCode", contractCode);
    b.append("direction", direction);
    b.append("trader", trader);
    b.append("dealer", dealer);
    b.append("dealerName", dealerName);
    b.append("counterpartyTrader", counterpartyTrader);
    b.append("counterpartyDealer", counterpartyDealer);
    b.append("counterpartyDealerName", counterpartyDealerName);
    b.append("repurchaseAmount", repurchaseAmount);
    b.append("conversionRatio", conversionRatio);
    b.append("repurchaseDays", repurchaseDays);
    b.append("declareType", declareType);
    b.append("repurchaseRate", repurchaseRate);
    b.append("maturitySettleDate", maturitySettleDate);
    b.append("maturitySettleAmount", maturitySettleAmount);
    b.append("renewType", renewType);
    b.append("priorApplyDate", priorApplyDate);
    b.append("actualRepurchaseDate", actualRepurchaseDate);
    b.append("pledgee", pledgee);
    b.append("supplementaryTerms", supplementaryTerms);
    b.append("pendingOrderRef", pendingOrderRef);
    b.append("tradingEntity", tradingEntity);
    b.append("counterpartyEntity", counterpartyEntity);
    b.append("releaseSettleAmount", releaseSettleAmount);
    b.append("counterpartyClientName", counterpartyClientName);
    b.append("ownerType", ownerType);
    appendPledgedBonds(b, "pledgedBonds", pledgedBonds);
    return b.obj();
}

void CRepurchasePendingOrder::bsonValueFromObj(const bson::BSONObj &obj)
{
    readRecord(obj, "accountInfo", accountInfo);
    readField(obj, "market", market);
    readField(obj, "contractCode", contractCode);
    readField(obj, "direction", direction);
    readField(obj, "trader", trader);
    readField(obj, "dealer", dealer);
    readField(obj, "dealerName", dealerName);
    readField(obj, "counterpartyTrader", counterpartyTrader);
    readField(obj, "counterpartyDealer", counterpartyDealer);
    readField(obj, "counterpartyDealerName", counterpartyDealerName);
    readField(obj, "repurchaseAmount", repurchaseAmount);
    readField(obj, "conversionRatio", conversionRatio);
    readField(obj, "repurchaseDays", repurchaseDays);
    readField(obj, "declareType", declareType);
    readField(obj, "repurchaseRate", repurchaseRate);
    readField(obj, "maturitySettleDate", maturitySettleDate);
    readField(obj, "maturitySettleAmount", maturitySettleAmount);
    readField(obj, "renewType", renewType);
    readField(obj, "priorApplyDate", priorApplyDate);
    readField(obj, "actualRepurchaseDate", actualRepurchaseDate);
    readField(obj, "pledgee", pledgee);
    readField(obj, "supplementaryTerms", supplementaryTerms);
    readField(obj, "pendingOrderRef", pendingOrderRef);
    readField(obj, "tradingEntity", tradingEntity);
    readField(obj, "counterpartyEntity", counterpartyEntity);
    readField(obj, "releaseSettleAmount", releaseSettleAmount);
    readField(obj, "counterpartyClientName", counterpartyClientName);
    readField(obj, "ownerType", ownerType);
    readPledgedBonds(obj, "pledgedBonds", pledgedBonds);
}

bool CRepurchasePendingOrder::operator==(const CRepurchasePendingOrder &o) const
{
    return sameRecord(accountInfo, o.accountInfo) && market == o.market
        && contractCode == o.contractCode && direction == o.direction && trader == o.trader
        && dealer == o.dealer && dealerName == o.dealerName
        && counterpartyTrader == o.counterpartyTrader && counterpartyDealer == o.counterpartyDealer
        && counterpartyDealerName == o.counterpartyDealerName
        && repurchaseAmount == o.repurchaseAmount && conversionRatio == o.conversionRatio
        && repurchaseDays == o.repurchaseDays && declareType == o.declareType
        && repurchaseRate == o.repurchaseRate && maturitySettleDate == o.maturitySettleDate
        && maturitySettleAmount == o.maturitySettleAmount && renewType == o.renewType
        && priorApplyDate == o.priorApplyDate && actualRepurchaseDate == o.actualRepurchaseDate
        && pledgee == o.pledgee && supplementaryTerms == o.supplementaryTerms
        && pendingOrderRef == o.pendingOrderRef && tradingEntity == o.tradingEntity
        && counterpartyEntity == o.counterpartyEntity
        && releaseSettleAmount == o.releaseSettleAmount
        && counterpartyClientName == o.counterpartyClientName && ownerType == o.ownerType
        && samePledgedBonds(pledgedBonds, o.pledgedBonds);
}

} // namespace ttservice
