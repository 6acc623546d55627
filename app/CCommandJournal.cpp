#include "CCommandJournal.h"

#include "ttservice/CCodeOrderParam.h"
#include "ttservice/COrderComandParam.h"
#include "ttservice/CRepurchaseAgreementParam.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

#include <cmath>

namespace app {

namespace {

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}

// Unset markers are shown as null, so that a reader of the journal does not
// mistake the largest double for a price.
QJsonValue number(double v)
{
    if (v == ttservice::kUnsetDouble || !std::isfinite(v))
        return QJsonValue();
    return v;
}

QJsonValue number(int v)
{
    if (v == ttservice::kUnsetInt)
        return QJsonValue();
    return v;
}

QJsonObject agreementToJson(const ttservice::CRepurchaseAgreementParam &p)
{
    QJsonObject o;
    o["bondMarket"] = qs(p.bondMarket);
    o["bondCode"] = qs(p.bondCode);
    o["trader"] = qs(p.trader);
    o["dealer"] = qs(p.dealer);
    o["counterpartyTrader"] = qs(p.counterpartyTrader);
    o["counterpartyDealer"] = qs(p.counterpartyDealer);
    o["counterpartyDealerName"] = qs(p.counterpartyDealerName);
    o["repurchaseAmount"] = number(p.repurchaseAmount);
    o["conversionRatio"] = number(p.conversionRatio);
    o["repurchaseRate"] = number(p.repurchaseRate);
    o["repurchaseDays"] = number(p.repurchaseDays);
    o["maturitySettleDate"] = number(p.maturitySettleDate);
    o["firstSettleDate"] = number(p.firstSettleDate);
    o["contractNo"] = qs(p.contractNo);
    o["supplementaryTerms"] = qs(p.supplementaryTerms);
    o["referenceNo"] = qs(p.referenceNo);
    o["pledgee"] = qs(p.pledgee);
    o["renewType"] = number(p.renewType);
    o["tradingEntity"] = qs(p.tradingEntity);
    o["counterpartyEntity"] = qs(p.counterpartyEntity);
    o["settlementAmount"] = number(p.settlementAmount);
    o["stockProperty"] = number(p.stockProperty);
    o["subjectType"] = number(p.subjectType);
    o["counterpartyClientName"] = qs(p.counterpartyClientName);
    o["pendingOrderRef"] = qs(p.pendingOrderRef);
    o["swapBondCode"] = qs(p.swapBondCode);
    o["swapPledgeVolume"] = number(p.swapPledgeVolume);
    o["swapStockProperty"] = number(p.swapStockProperty);
    return o;
}

} // namespace

QJsonObject CCommandJournal::orderToJson(const ttservice::CCodeOrderParam &order)
{
    QJsonObject o;
    if (order.accountInfo) {
        o["accountId"] = qs(order.accountInfo->accountId);
        o["accountName"] = qs(order.accountInfo->accountName);
    }
    o["orderKind"] = order.orderKind;
    o["operationType"] = int(order.operationType);
    o["market"] = qs(order.stock.market);
    o["instrumentTag"] = qs(order.stock.instrumentTag);
    o["stockCode"] = qs(order.stock.stockCode);
    o["stockName"] = qs(order.stock.stockName);
    o["priceMode"] = number(order.priceMode);
    o["price"] = number(order.price);
    o["volume"] = QString::number(order.volume);
    o["placedVolume"] = number(order.placedVolume);
    o["userName"] = qs(order.userName);
    o["counterpartyTrader"] = qs(order.counterpartyTrader);
    o["agreementNo"] = number(order.agreementNo);
    o["paramKind"] = number(order.paramKind);
    o["contactPerson"] = qs(order.contactPerson);
    o["contactMethod"] = qs(order.contactMethod);
    if (!order.agreementParam.isEmpty()) {
        ttservice::CRepurchaseAgreementParam agreement;
        agreement.bsonValueFromObj(order.agreementParam);
        o["agreementParam"] = agreementToJson(agreement);
    }
    return o;
}

QJsonObject CCommandJournal::commandToJson(int commandNo,
                                           const ttservice::COrderComandParam &command)
{
    QJsonObject o;
    o["commandNo"] = commandNo;
    o["time"] = QDateTime::currentDateTime().toString(Qt::ISODate);
    o["commandKind"] = command.commandKind;
    o["commandSubKind"] = command.commandSubKind;
    o["commandMode"] = command.commandMode;
    o["manual"] = command.manual;
    o["commandText"] = qs(command.commandText);
    o["commandOption"] = command.commandOption;
    QJsonArray orders;
    for (const ttservice::CCodeOrderParam &order : command.orders)
        orders.append(orderToJson(order));
    o["orders"] = orders;
    return o;
}

bool CCommandJournal::append(const QJsonObject &entry) const
{
    if (m_path.isEmpty())
        return true;
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return false;
    const QByteArray line = QJsonDocument(entry).toJson(QJsonDocument::Compact) + '\n';
    return file.write(line) == line.size() && file.flush();
}

} // namespace app
