#pragma once

#include "ttservice/CalcParameter.h"

namespace ttservice {

// The host's maximum orderable quantity, in 张 (bonds trade in lots of 10 张):
//  - buy (1052): available funds / price, rounded down to a multiple of 10;
//  - sell (1053): the account's usable position (type 547 record keyed
//    market + KEY_SPLITTER + code), rounded down to a multiple of 10.
// The sell side does not depend on the price. 0 when the account data, its
// funds or the position is missing, when a buy price is not positive, or for
// any other operation.
class CCalculator
{
public:
    long long calcMaxOrderQuantity(const CalcParameter &param) const;

    static constexpr long long kLotSize = 10;
};

} // namespace ttservice
