#pragma once

#include "ttservice/CCodeOrderParam.h"

#include <sstream>
#include <string>

// A spot order as one line: side, volume, bond (none when unlisted), clean price, kind and mode,
// the agreement number, the counterparty's trader, the account and the user placing it.
inline std::string summary(const ttservice::CCodeOrderParam &o)
{
    std::ostringstream out;
    out << "side " << o.operationType << ", " << o.volume << " of ";
    if (o.stock.stockCode.empty() && o.stock.market.empty())
        out << "no bond";
    else
        out << o.stock.market << ' ' << o.stock.stockCode << ' ' << o.stock.stockName << " ("
            << o.stock.instrumentTag << ')';
    out << " at " << o.price << ", kind " << o.orderKind << ", mode " << o.priceMode
        << ", agreement " << o.agreementNo << ", trader " << o.counterpartyTrader << ", account "
        << (o.accountInfo ? o.accountInfo->accountId : "none") << " by " << o.userName;
    return out.str();
}
