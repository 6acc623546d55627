#pragma once

namespace ttservice {

class DataHelper
{
public:
    // Counter type 2 takes a renewal's amount without the original interest;
    // every other counter type adds it.
    static constexpr int kPtsCounterType = 2;

    static bool isKcxpPts(int counterType) { return counterType == kPtsCounterType; }
};

} // namespace ttservice
