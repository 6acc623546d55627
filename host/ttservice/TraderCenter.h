#pragma once

#include "ttservice/CCalculator.h"
#include "ttservice/CDataCenter.h"
#include "ttservice/CInstrumentCenter.h"

namespace ttservice {

// Entry to the trading data of the terminal: account data, instrument
// directory and the quantity calculator. Process-wide, never destroyed.
class TraderCenter
{
public:
    static TraderCenter *instance();

    CDataCenter *getDataCenter() { return &m_dataCenter; }
    CInstrumentCenter *getInstCenter() { return &m_instCenter; }
    CCalculator *getCalculator() { return &m_calculator; }

private:
    TraderCenter() = default;

    CDataCenter m_dataCenter;
    CInstrumentCenter m_instCenter;
    CCalculator m_calculator;
};

} // namespace ttservice
