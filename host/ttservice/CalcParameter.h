#pragma once

#include <boost/shared_ptr.hpp>
#include <string>

namespace ttservice {

class CAccountData;

// Input of CCalculator::calcMaxOrderQuantity.
struct CalcParameter
{
    boost::shared_ptr<CAccountData> accountData;
    std::string market;
    std::string instrumentCode;
    int operationType = 0; // EOperationType: 1052 buy, 1053 sell
    double price = 0.0; // full price per 张 for bonds
};

} // namespace ttservice
