#include "spot/CSpotOrderRules.h"

#include "common/InstructionLimit.h"

#include <QRegExp>

#include <algorithm>
#include <cmath>

namespace TC {

namespace {

QString numericText(const QString &text)
{
    QString out = text;
    out.remove(QLatin1Char(','));
    out.remove(QLatin1Char(' '));
    return out;
}

bool matches(const QString &pattern, const QString &text)
{
    QRegExp rx(pattern, Qt::CaseSensitive, QRegExp::RegExp);
    return rx.indexIn(text) != -1;
}

// An unset or zero price cannot price a purchase.
bool isUsablePrice(double price)
{
    return price != ttservice::kUnsetDouble && !CSpotOrderRules::isZero(price);
}

} // namespace

double CSpotOrderRules::toDouble(const QString &text)
{
    bool ok = false;
    const double v = numericText(text).toDouble(&ok);
    return ok ? v : 0.0;
}

int CSpotOrderRules::toInt(const QString &text)
{
    bool ok = false;
    const int v = numericText(text).toInt(&ok);
    return ok ? v : 0;
}

CSpotOrderRules::Amounts CSpotOrderRules::amounts(double cleanPrice, long long quantity,
                                                  double accruedInterest)
{
    Amounts a;
    a.fullPrice = cleanPrice + accruedInterest;
    a.totalAccruedInterest = accruedInterest * double(quantity);
    a.settlementAmount = a.fullPrice * double(quantity);
    return a;
}

QString CSpotOrderRules::agreementNoTip(const std::string &market, const QString &text)
{
    // The exchanges' own formats: Shanghai takes three digits, Shenzhen up to seven.
    if (market == "SH" && !matches(QStringLiteral("^\\d{3}$"), text))
        return QStringLiteral("请输入100~999之间的整数!");
    if (market == "SZ" && !matches(QStringLiteral("^\\d{1,7}$"), text))
        return QStringLiteral("请输入0~999999之间的整数!");
    return QString();
}

bool CSpotOrderRules::checkInput(const Input &input, const Host &host, QString &error)
{
    if (!checkOrderAccount(host.account, error))
        return false;
    if (input.hasCodeEditor && input.stockCode.isEmpty()) {
        error = QStringLiteral("没有输入证券代码, 无法下单!");
        return false;
    }
    if (input.hasAgreementEditor && input.agreementNo.isEmpty()) {
        error = QStringLiteral("没有填写约定号, 无法下单!");
        return false;
    }
    if (host.instrument && host.instrument->market == "SH"
        && !matches(QStringLiteral("^\\d{3}$"), input.agreementNo)) {
        error = QStringLiteral("约定号:请输入100~999之间的整数!");
        return false;
    }
    if (input.priceText.isEmpty()) {
        error = QStringLiteral("没有输入委托价, 无法下单!");
        return false;
    }
    if (isZero(toDouble(input.priceText))) {
        error = QStringLiteral("委托价为0, 无法下单!");
        return false;
    }
    if (input.quantityText.isEmpty()) {
        error = QStringLiteral("没有输入委托数量, 无法下单!");
        return false;
    }
    if (toInt(input.quantityText) == 0) {
        error = QStringLiteral("委托数量为0, 无法下单!");
        return false;
    }
    if (input.counterpartyTrader.isEmpty()) {
        error = QStringLiteral("没有输入对方交易员, 无法下单!");
        return false;
    }
    return true;
}

long long CSpotOrderRules::maxOrderQuantity(const ttservice::CCalculator &calculator,
                                            const ttservice::CAccountDataPtr &accountData,
                                            const std::string &market, const std::string &code,
                                            ttservice::EOperationType side, double price)
{
    ttservice::CalcParameter param;
    param.accountData = accountData;
    param.market = market;
    param.instrumentCode = code;
    param.operationType = side;
    param.price = price;
    return calculator.calcMaxOrderQuantity(param);
}

CCanOrderNum CSpotOrderRules::canOrderNum(const ttservice::CCalculator &calculator,
                                          const ttservice::CAccountDataPtr &accountData,
                                          const ttservice::CInstrumentDetail &instrument,
                                          double cleanPrice, double fullPrice, bool *buyFresh)
{
    CCanOrderNum num;
    double price = cleanPrice;
    bool fresh = false;
    if (isUsablePrice(price)) {
        price = fullPrice;
        if (isUsablePrice(price)) {
            num.buyVolume
                = maxOrderQuantity(calculator, accountData, instrument.market,
                                   instrument.instrumentCode, ttservice::OPERATION_TYPE_BUY, price);
            fresh = true;
        }
    }
    num.sellVolume
        = maxOrderQuantity(calculator, accountData, instrument.market, instrument.instrumentCode,
                           ttservice::OPERATION_TYPE_SELL, price);
    if (buyFresh)
        *buyFresh = fresh;
    return num;
}

long long CSpotOrderRules::orderVolume(long long entered, long long maximum)
{
    const long long capped = std::min(entered, maximum);
    // Spot bonds trade in lots of 10 张.
    return capped < 10 ? 0 : capped / 10 * 10;
}

bool CSpotOrderRules::checkInstructionLimit(const ttservice::COrderCommand *instruction,
                                            const ttservice::CCodeOrderParam &order,
                                            long long volume, QString &error)
{
    return TC::checkInstructionLimit(instruction, order, volume,
                                     EInstructionMatch::ACCOUNT_SIDE_AND_INSTRUMENT, error);
}

bool CSpotOrderRules::buildOrders(const Input &input, const Host &host,
                                  ttservice::EOperationType side,
                                  std::vector<ttservice::CCodeOrderParam> &orders, QString &error)
{
    orders.clear();
    ttservice::CCodeOrderParam order;
    order.operationType = side;
    order.userName = host.userName;

    const ttservice::CAccountDataPtr &accountData = host.accountData;
    const ttservice::CAccountInfoPtr info
        = accountData ? accountData->getAccountInfo() : ttservice::CAccountInfoPtr();
    if (!info) {
        error = QStringLiteral("账号列表丢失!");
        return false;
    }
    order.accountInfo = info;

    const std::shared_ptr<ttservice::CInstrumentDetail> &instrument = host.instrument;
    if (instrument) {
        order.stock.market = instrument->market;
        order.stock.instrumentTag = instrument->instrumentTag;
        order.stock.stockCode = instrument->instrumentCode;
        order.stock.stockName = instrument->instrumentName;
    }

    // An unlisted code still asks the calculator, with no market and code.
    const long long maximum = maxOrderQuantity(
        host.calculator, accountData, instrument ? instrument->market : std::string(),
        instrument ? instrument->instrumentCode : std::string(), side, input.fullPrice);
    if (maximum <= 0) {
        error = side == ttservice::OPERATION_TYPE_BUY ? QStringLiteral("可买量为0, 无法下单!")
                                                      : QStringLiteral("可卖量为0, 无法下单!");
        return false;
    }

    order.orderKind = 49;
    order.price = toDouble(input.priceText);
    const long long volume = orderVolume(toInt(input.quantityText), maximum);
    if (volume == 0) {
        error = QStringLiteral("可下单量不足, 无法下单!");
        return false;
    }
    if (!checkInstructionLimit(host.instruction.get(), order, volume, error))
        return false;

    order.volume = volume;
    order.priceMode = 11;
    order.counterpartyTrader = input.counterpartyTrader.toUtf8().toStdString();
    order.agreementNo = toInt(input.agreementNo);
    orders.push_back(order);
    return true;
}

} // namespace TC
