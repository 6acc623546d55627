#include "tc/CExchangeClient.h"

#include "tc/CHostClock.h"
#include "ttservice/TraderCenter.h"

#include <QMetaType>

namespace TC {

CExchangeClient::CExchangeClient()
{
    // Panels on other threads receive sigNewTradingDate through queued connections.
    qRegisterMetaType<std::string>("std::string");
}

CExchangeClient::~CExchangeClient() = default;

std::shared_ptr<ttservice::CInstrumentDetail>
CExchangeClient::getCodeInfo(const QString &code) const
{
    const QString text = code.trimmed();
    if (text.isEmpty())
        return nullptr;
    const ttservice::CInstrumentCenter *center
        = ttservice::TraderCenter::instance()->getInstCenter();
    ttservice::CInstrumentDetailPtr found;
    QString normalized = text;
    normalized.replace(QString::fromLatin1(ttservice::KEY_SPLITTER), QStringLiteral(" "));
    const QStringList parts = normalized.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() == 2)
        found = center->getInstrument(parts[0].toStdString(), parts[1].toStdString());
    else if (parts.size() == 1)
        found = center->findByCode(parts[0].toStdString());
    if (!found)
        return nullptr;
    // The std pointer keeps the directory's record alive through a copy of its pointer.
    return std::shared_ptr<ttservice::CInstrumentDetail>(
        found.get(), [found](ttservice::CInstrumentDetail *) {});
}

void CExchangeClient::notifyNewTradingDate(const std::string &tradingDate,
                                           const std::string &previousDate)
{
    const QDate date
        = QDate::fromString(QString::fromStdString(tradingDate), QStringLiteral("yyyyMMdd"));
    if (date.isValid())
        CHostClock::setToday(date);
    Q_EMIT sigNewTradingDate(tradingDate, previousDate);
}

} // namespace TC
