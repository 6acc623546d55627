#include "ttservice/CRepurchaseAgreementParam.h"

namespace ttservice {

std::string CRepurchaseAgreementParam::getKey() const
{
    if (!contractNo.empty())
        return contractNo;
    return bondMarket + KEY_SPLITTER + bondCode;
}

bson::BSONObj CRepurchaseAgreementParam::toBson() const
{
    bson::BSONObjBuilder b;
    b.append("bondMarket", bondMarket);
    b.append("bondCode", bondCode);
    b.append("trader", trader);
    b.append("dealer", dealer);
    b.append("counterpartyTrader", counterpartyTrader);
    b.append("counterpartyDealer", counterpartyDealer);
    b.append("counterpartyDealerName", counterpartyDealerName);
    b.append("repurchaseAmount", repurchaseAmount);
    b.append("conversionRatio", conversionRatio);
    b.append("repurchaseRate", repurchaseRate);
    b.append("repurchaseDays", repurchaseDays);
    b.append("maturitySettleDate", maturitySettleDate);
    b.append("firstSettleDate", firstSettleDate);
    b.append("contractNo", contractNo);
    b.append("supplementaryTerms", supplementaryTerms);
    b.append("referenceNo", referenceNo);
    b.append("pledgee", pledgee);
    b.append("renewType", renewType);
    b.append("tradingEntity", tradingEntity);
    b.append("counterpartyEntity", counterpartyEntity);
    b.append("settlementAmount", settlementAmount);
    b.append("stockProperty", stockProperty);
    b.append("subjectType", subjectType);
    b.append("counterpartyClientName", counterpartyClientName);
    b.append("pendingOrderRef", pendingOrderRef);
    b.append("swapBondCode", swapBondCode);
    b.append("swapPledgeVolume", swapPledgeVolume);
    b.append("swapStockProperty", swapStockProperty);
    return b.obj();
}

void CRepurchaseAgreementParam::bsonValueFromObj(const bson::BSONObj &obj)
{
    readField(obj, "bondMarket", bondMarket);
    readField(obj, "bondCode", bondCode);
    readField(obj, "trader", trader);
    readField(obj, "dealer", dealer);
    readField(obj, "counterpartyTrader", counterpartyTrader);
    readField(obj, "counterpartyDealer", counterpartyDealer);
    readField(obj, "counterpartyDealerName", counterpartyDealerName);
    readField(obj, "repurchaseAmount", repurchaseAmount);
    readField(obj, "conversionRatio", conversionRatio);
    readField(obj, "repurchaseRate", repurchaseRate);
    readField(obj, "repurchaseDays", repurchaseDays);
    readField(obj, "maturitySettleDate", maturitySettleDate);
    readField(obj, "firstSettleDate", firstSettleDate);
    readField(obj, "contractNo", contractNo);
    readField(obj, "supplementaryTerms", supplementaryTerms);
    readField(obj, "referenceNo", referenceNo);
    readField(obj, "pledgee", pledgee);
    readField(obj, "renewType", renewType);
    readField(obj, "tradingEntity", tradingEntity);
    readField(obj, "counterpartyEntity", counterpartyEntity);
    readField(obj, "settlementAmount", settlementAmount);
    readField(obj, "stockProperty", stockProperty);
    readField(obj, "subjectType", subjectType);
    readField(obj, "counterpartyClientName", counterpartyClientName);
    readField(obj, "pendingOrderRef", pendingOrderRef);
    readField(obj, "swapBondCode", swapBondCode);
    readField(obj, "swapPledgeVolume", swapPledgeVolume);
    readField(obj, "swapStockProperty", swapStockProperty);
}

bool CRepurchaseAgreementParam::operator==(const CRepurchaseAgreementParam &o) const
{
    return bondMarket == o.bondMarket && bondCode == o.bondCode && trader == o.trader
        && dealer == o.dealer && counterpartyTrader == o.counterpartyTrader
        && counterpartyDealer == o.counterpartyDealer
        && counterpartyDealerName == o.counterpartyDealerName
        && repurchaseAmount == o.repurchaseAmount && conversionRatio == o.conversionRatio
        && repurchaseRate == o.repurchaseRate && repurchaseDays == o.repurchaseDays
        && maturitySettleDate == o.maturitySettleDate && firstSettleDate == o.firstSettleDate
        && contractNo == o.contractNo && supplementaryTerms == o.supplementaryTerms
        && referenceNo == o.referenceNo && pledgee == o.pledgee && renewType == o.renewType
        && tradingEntity == o.tradingEntity && counterpartyEntity == o.counterpartyEntity
        && settlementAmount == o.settlementAmount && stockProperty == o.stockProperty
        && subjectType == o.subjectType && counterpartyClientName == o.counterpartyClientName
        && pendingOrderRef == o.pendingOrderRef && swapBondCode == o.swapBondCode
        && swapPledgeVolume == o.swapPledgeVolume && swapStockProperty == o.swapStockProperty;
}

} // namespace ttservice
