#pragma once

#include "ttservice/CCodeOrderParam.h"

#include <QtGlobal>

#include <string>

namespace app {

// A deal declaration (成交申报) waiting at a counterparty desk for its answer:
// the order as the trader sent it, and when it was sent. The exchange answers
// it after its answer delay; until then the book keeps it, so that a terminal
// stopped in between has the desk answer it once started again.
struct PendingDeal
{
    // The exchange's number for it, "CJ<trading day><n>": unique among the
    // deals waiting.
    std::string key;
    ttservice::CCodeOrderParam order;
    int tradingDay = 0; // yyyymmdd: the trading day it was sent on
    qint64 sentAtMs = 0; // ms since the epoch

    std::string account() const { return order.accountInfo ? order.accountInfo->getKey() : ""; }
};

} // namespace app
