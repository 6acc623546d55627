#pragma once

#include "ttservice/CCodeOrderParam.h"

#include <QtGlobal>

#include <string>

namespace app {

// An order of the trader's waiting at a counterparty desk: a deal declaration
// (成交申报) for the desk's answer, or an intention order (意向申报) for a desk
// to take it up and declare the deal to the trader. It holds the order as the
// trader sent it, and when it was sent. The exchange carries it out after its
// answer delay; until then the book keeps it, so that a terminal stopped in
// between has the desk carry it out once started again.
struct PendingDeal
{
    enum class Kind {
        Declaration = 0, // a deal declaration waiting for the desk's answer
        Intention = 1, // an intention order waiting for a desk to take it up
    };
    Kind kind = Kind::Declaration;
    // A declaration: the exchange's number for it, "CJ<trading day><n>",
    // unique among the deals waiting. An intention: the intention order's
    // number in the account.
    std::string key;
    ttservice::CCodeOrderParam order;
    int tradingDay = 0; // yyyymmdd: the trading day it was sent on
    qint64 sentAtMs = 0; // ms since the epoch

    std::string account() const { return order.accountInfo ? order.accountInfo->getKey() : ""; }
};

} // namespace app
