#include "ttservice/CRepurchaseAgreementContractInfo.h"

namespace ttservice {

bson::BSONObj CRepurchaseAgreementContractInfo::toBson() const
{
    bson::BSONObjBuilder b;
    appendRecord(b, "accountInfo", accountInfo);
    b.append("market", market);
    b.append("repurchaseAmount", repurchaseAmount);
    b.append("conversionRatio", conversionRatio);
    b.append("repurchaseDays", repurchaseDays);
    b.append("direction", direction);
    b.append("repurchaseRate", repurchaseRate);
    b.append("maturitySettleDate", maturitySettleDate);
    b.append("contractNo", contractNo);
    b.append("maturitySettleAmount", maturitySettleAmount);
    b.append("contractStatus", contractStatus);
    b.append("firstSettleDate", firstSettleDate);
    b.append("trader", trader);
    b.append("counterpartyTrader", counterpartyTrader);
    b.append("counterpartyDealer", counterpartyDealer);
    b.append("counterpartyDealerName", counterpartyDealerName);
    b.append("referenceNo", referenceNo);
    b.append("supplementaryTerms", supplementaryTerms);
    b.append("dealer", dealer);
    b.append("tradingEntity", tradingEntity);
    b.append("counterpartyEntity", counterpartyEntity);
    appendPledgedBonds(b, "pledgedBonds", pledgedBonds);
    return b.obj();
}

void CRepurchaseAgreementContractInfo::bsonValueFromObj(const bson::BSONObj &obj)
{
    readRecord(obj, "accountInfo", accountInfo);
    readField(obj, "market", market);
    readField(obj, "repurchaseAmount", repurchaseAmount);
    readField(obj, "conversionRatio", conversionRatio);
    readField(obj, "repurchaseDays", repurchaseDays);
    readField(obj, "direction", direction);
    readField(obj, "repurchaseRate", repurchaseRate);
    readField(obj, "maturitySettleDate", maturitySettleDate);
    readField(obj, "contractNo", contractNo);
    readField(obj, "maturitySettleAmount", maturitySettleAmount);
    readField(obj, "contractStatus", contractStatus);
    readField(obj, "firstSettleDate", firstSettleDate);
    readField(obj, "trader", trader);
    readField(obj, "counterpartyTrader", counterpartyTrader);
    readField(obj, "counterpartyDealer", counterpartyDealer);
    readField(obj, "counterpartyDealerName", counterpartyDealerName);
    readField(obj, "referenceNo", referenceNo);
    readField(obj, "supplementaryTerms", supplementaryTerms);
    readField(obj, "dealer", dealer);
    readField(obj, "tradingEntity", tradingEntity);
    readField(obj, "counterpartyEntity", counterpartyEntity);
    readPledgedBonds(obj, "pledgedBonds", pledgedBonds);
}

bool CRepurchaseAgreementContractInfo::operator==(const CRepurchaseAgreementContractInfo &o) const
{
    return sameRecord(accountInfo, o.accountInfo) && market == o.market
        && repurchaseAmount == o.repurchaseAmount && conversionRatio == o.conversionRatio
        && repurchaseDays == o.repurchaseDays && direction == o.direction
        && repurchaseRate == o.repurchaseRate && maturitySettleDate == o.maturitySettleDate
        && contractNo == o.contractNo && maturitySettleAmount == o.maturitySettleAmount
        && contractStatus == o.contractStatus && firstSettleDate == o.firstSettleDate
        && trader == o.trader && counterpartyTrader == o.counterpartyTrader
        && counterpartyDealer == o.counterpartyDealer
        && counterpartyDealerName == o.counterpartyDealerName && referenceNo == o.referenceNo
        && supplementaryTerms == o.supplementaryTerms && dealer == o.dealer
        && tradingEntity == o.tradingEntity && counterpartyEntity == o.counterpartyEntity
        && samePledgedBonds(pledgedBonds, o.pledgedBonds);
}

} // namespace ttservice
