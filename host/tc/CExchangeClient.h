#pragma once

#include "ttservice/CInstrumentDetail.h"

#include <QObject>
#include <QString>

#include <memory>
#include <string>

namespace TC {

// The terminal's market connection: instrument lookups from the instrument
// directory and the start of trading days. Reached as
// utils::CManualSingletonT<TC::CExchangeClient>::instance().
class CExchangeClient : public QObject
{
    Q_OBJECT
public:
    CExchangeClient();
    ~CExchangeClient() override;

    // `code` is a bare code ("019547": the first listed, "SH" before "SZ"), or
    // market and code joined by a blank or KEY_SPLITTER ("SZ 101901",
    // "SZ|101901"). Null when not listed.
    std::shared_ptr<ttservice::CInstrumentDetail> getCodeInfo(const QString &code) const;

    // Starts a trading day: a yyyyMMdd `tradingDate` also becomes the host
    // clock's date. Then emits sigNewTradingDate(tradingDate, previousDate).
    void notifyNewTradingDate(const std::string &tradingDate, const std::string &previousDate);

Q_SIGNALS:
    void sigNewTradingDate(const std::string &tradingDate, const std::string &previousDate);
};

} // namespace TC
