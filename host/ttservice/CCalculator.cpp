#include "ttservice/CCalculator.h"

#include "ttservice/CAccountData.h"
#include "ttservice/CPositionStatics.h"
#include "ttservice/Types.h"

#include <cmath>

namespace ttservice {

namespace {

long long roundDownToLot(long long volume)
{
    return volume <= 0 ? 0 : volume / CCalculator::kLotSize * CCalculator::kLotSize;
}

long long maxBuy(const CAccountData &account, double price)
{
    if (!(price > 0.0) || price == kUnsetDouble)
        return 0;
    const CAccountDetailPtr detail = account.getAccountDetail();
    if (!detail || detail->availableFunds == kUnsetDouble || !(detail->availableFunds > 0.0))
        return 0;
    // The small allowance keeps 1000.00 / 100.00 from landing just below 10.
    const double units = std::floor(detail->availableFunds / price + 1e-6);
    if (units >= 9.0e18)
        return roundDownToLot(9000000000000000000LL);
    return roundDownToLot(static_cast<long long>(units));
}

long long maxSell(const CAccountData &account, const CalcParameter &param)
{
    const IDataPtr data = account.getData(DATA_TYPE_POSITION_STATICS,
                                          param.market + KEY_SPLITTER + param.instrumentCode);
    const auto position = boost::dynamic_pointer_cast<CPositionStatics>(data);
    return position ? roundDownToLot(position->usableVolume) : 0;
}

} // namespace

long long CCalculator::calcMaxOrderQuantity(const CalcParameter &param) const
{
    // What can be sold does not depend on the price: a seller who has not
    // typed a price yet still sees the position he holds.
    if (!param.accountData)
        return 0;
    switch (param.operationType) {
    case OPERATION_TYPE_BUY:
        return maxBuy(*param.accountData, param.price);
    case OPERATION_TYPE_SELL:
        return maxSell(*param.accountData, param);
    default:
        return 0;
    }
}

} // namespace ttservice
